"""The printable month: one A4 sheet (HTML and CSS, no script) with each day's
tithi and nakshatra and when they end, sunrise, sunset and Rahu Kalam, the
observances of the day, the lunar months and samvat years in the heading and a
legend of the marks.
"""

from __future__ import annotations

import calendar as cal
import datetime as dt
import html
from collections.abc import Sequence

from tithiloom import hindu_date as hindu
from tithiloom.places import Place
from tithiloom.results import Day

Marks = dict[dt.date, list[tuple[str, str]]]  # a date's (kind, text) pairs

# The kinds of mark, in legend order: (kind, symbol shown in a cell, legend text).
# Festivals, Ekadashis and parana are written out in the cell; the monthly fasts
# carry a symbol beside the day's number.
KINDS = (("fest", "", "festival"), ("eka", "", "Ekadashi (Smartha)"),
         ("vai", "", "Ekadashi (Vaishnava)"), ("parana", "", "parana: breaking the fast"),
         ("purnima", "○", "Purnima"), ("amavasya", "●", "Amavasya"),
         ("pradosh", "P", "Pradosh"), ("sankashti", "C", "Sankashti Chaturthi"))
SYMBOLS = {kind: symbol for kind, symbol, _ in KINDS if symbol}
_WRITTEN = {kind for kind, symbol, _ in KINDS if not symbol}

_CSS = """
@page { size: A4 landscape; margin: 8mm; }
* { box-sizing: border-box; }
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 0; color: #222; }
header { display: flex; justify-content: space-between; align-items: baseline; }
h1 { font-size: 18pt; margin: 0; }
p.samvat { margin: 0; font-size: 10pt; color: #7a1f1f; font-weight: bold; text-align: right; }
p.where { margin: 0.5mm 0 1.5mm; font-size: 8pt; color: #555; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; }
th { background: #7a1f1f; color: #fff; font-size: 9pt; padding: 1mm; }
td { border: 1px solid #999; vertical-align: top; padding: 0.6mm 1.2mm; font-size: 6.6pt;
     line-height: 1.22; overflow: hidden; }
table.w5 td { height: 28.5mm; }
table.w6 td { height: 24.4mm; }
td.blank { background: #f4f1ec; }
td span { display: block; white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
td span.top { display: flex; justify-content: space-between; align-items: baseline; }
td .num { font-size: 12pt; font-weight: bold; }
td .sym { font-size: 9pt; font-weight: bold; color: #7a1f1f; letter-spacing: 0.6mm; }
td .masa { font-size: 6.4pt; color: #7a1f1f; font-style: italic; flex: 1 1 auto;
           padding-left: 1.2mm; }
td .tithi { font-weight: bold; }
td .nak, td .sky { color: #444; }
td .fest { color: #7a1f1f; font-weight: bold; }
td .eka, td .vai { color: #1f4f7a; font-weight: bold; }
td .parana { color: #1f4f7a; }
td.sun .num { color: #b22; }
td.eka-day { background: #eef3f8; }
td.full { background: #fbf6e6; }
td.new { background: #ececec; }
footer { margin-top: 1mm; font-size: 6.8pt; color: #444; }
footer ul { columns: 4; column-gap: 5mm; margin: 0.8mm 0 0; padding-left: 3.5mm; }
footer b { color: #7a1f1f; }
@media screen { body { margin: 6mm; } }
@media print { body { -webkit-print-color-adjust: exact; print-color-adjust: exact; } }
"""


def clock(when: dt.datetime | None, on: dt.date) -> str:
    """HH:MM on the day's own clock, counting on past 24:00 into the next day
    (as almanacs print an end after midnight); "—" when unknown."""
    if when is None:
        return "—"
    hours = when.hour + 24 * (when.date() - on).days
    return f"{hours:02d}:{when.minute:02d}"


def _part(name: str) -> str:
    return name.split(" ", 1)[-1]  # "Shukla Dashami" -> "Dashami"


def _cell(d: dt.date, info: Day | None, marks: list[tuple[str, str]], masa: str | None) -> str:
    symbols = "".join(SYMBOLS[kind] for kind, _ in marks if kind in SYMBOLS)
    kind = "day sun" if d.isoweekday() == 7 else "day"
    kinds = {k for k, _ in marks}
    kind += " eka-day" if kinds & {"eka", "vai"} else ""
    kind += " full" if "purnima" in kinds else " new" if "amavasya" in kinds else ""
    parts = [f'<span class="top"><span class="num">{d.day}</span>'
             f'<span class="masa">{html.escape(masa or "")}</span>'
             f'<span class="sym">{html.escape(symbols)}</span></span>']
    if info is not None:
        t, n = info.tithi, info.nakshatra
        parts += [f'<span class="tithi">{t.paksha[0]} {html.escape(_part(t.name))} '
                  f'→ {clock(t.end, d)}</span>',
                  f'<span class="nak">{html.escape(n.name)} → {clock(n.end, d)}</span>',
                  f'<span class="sky">☀ {clock(info.sunrise, d)} – {clock(info.sunset, d)}</span>',
                  f'<span class="sky">Rahu {clock(info.muhurat.rahu_kalam.start, d)}–'
                  f'{clock(info.muhurat.rahu_kalam.end, d)}</span>']
    parts += [f'<span class="{k}" title="{html.escape(text)}">{html.escape(text)}</span>'
              for k, text in marks if k in _WRITTEN]
    return f'<td class="{kind}" data-date="{d.isoformat()}">{"".join(parts)}</td>'


def _span(values: Sequence[object]) -> str:
    """Distinct values in order, joined by an en dash: "2082–2083"."""
    return "–".join(dict.fromkeys(str(v) for v in values))


def heading(year: int, month: int, place: Place, days: Sequence[Day], calendar: str) -> str:
    """The lunar months and samvat years the month's days fall in, those without a
    sunrise (the polar night) included."""
    known = {d.date: d.hindu_date for d in days}
    every = [dt.date(year, month, n) for n in range(1, cal.monthrange(year, month)[1] + 1)]
    missing = [d for d in every if known.get(d) is None]
    known.update(zip(missing, hindu.hindu_dates_at_noon(missing, place.zone, calendar)))
    dates = [h for h in (known[d] for d in every) if h is not None]
    if not dates:
        return ""
    reckoning = "purnimanta" if calendar == "purnimant" else "amanta"
    return (f"{_span([h.lunar_month_name for h in dates])} ({reckoning}) · Vikram Samvat "
            f"{_span([h.vikram_samvat for h in dates])} · Shaka "
            f"{_span([h.shaka_samvat for h in dates])} · {_span([h.samvatsara for h in dates])}")


def month_html(year: int, month: int, place: Place, days: Sequence[Day], marks: Marks,
               calendar: str = "purnimant") -> str:
    """A self-contained printable page of one month's grid; ``marks`` maps a date
    to its (kind, text) pairs, the kinds of :data:`KINDS`."""
    by_date = {d.date: d for d in days}
    weeks = cal.Calendar(firstweekday=6).monthdatescalendar(year, month)
    rows, last_masa = [], None
    for week in weeks:
        cells = []
        for d in week:
            if d.month != month:
                cells.append('<td class="blank"></td>')
                continue
            info = by_date.get(d)
            h = info.hindu_date if info else None
            masa = None
            if h is not None and h.lunar_month_name != last_masa:
                masa, last_masa = h.lunar_month_name, h.lunar_month_name
            cells.append(_cell(d, info, marks.get(d, []), masa))
        rows.append("<tr>" + "".join(cells) + "</tr>")
    heads = "".join(f"<th>{n}</th>" for n in ("Sunday", "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"))
    legend = " · ".join(f"<b>{html.escape(symbol)}</b> {text}" for _, symbol, text in KINDS
                        if symbol)
    legend = ("S/K Shukla/Krishna tithi and nakshatra at sunrise → when they end (past 24:00: "
              "the next morning) · ☀ sunrise – sunset · Rahu: Rahu Kalam · <i>month</i>: a lunar "
              f"month begins · {legend} · blue: Ekadashi and parana · maroon: festivals")
    notes = "".join(f"<li>{d.day} {cal.month_abbr[d.month]}: {html.escape(text)}</li>"
                    for d in sorted(marks) for kind, text in marks[d]
                    if kind not in ("parana",))
    title = f"{cal.month_name[month]} {year}"
    return (f'<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8">'
            f"<title>{html.escape(title)} — {html.escape(place.name)}</title>"
            f"<style>{_CSS}</style></head><body>"
            f"<header><h1>{html.escape(title)}</h1>"
            f'<p class="samvat">{html.escape(heading(year, month, place, days, calendar))}</p></header>'
            f'<p class="where">{html.escape(place.label())}</p>'
            f'<table class="w{len(weeks)}"><thead><tr>{heads}</tr></thead>'
            f"<tbody>{''.join(rows)}</tbody></table>"
            f'<footer><div class="legend">{legend}</div><ul>{notes}</ul></footer>'
            f"</body></html>\n")
