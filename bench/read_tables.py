"""Reading the Parquet tables: every Ekadashi at 50 places in 2030, with DuckDB and with
pyarrow, which must agree.  (The example of docs/tables.md.)

Run: PYTHONPATH=<build>/python python3 bench/read_tables.py [DIR]

DIR holds tables written by `tithiloom table`; without one (or an empty DIR),
the Ekadashi table of the first 50 gazetteer places for 2030 is written first.
"""

import json
import os
import sys
import tempfile

import duckdb
import pyarrow.dataset as ds

from tithiloom import places as gazetteer, tables


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else tempfile.mkdtemp(prefix="tables-")
    names = [p.name for p in gazetteer.gazetteer()[:50]]
    if not os.path.exists(os.path.join(out, tables.MANIFEST)):
        tables.run([gazetteer.lookup(n) for n in names], (2030, 2030), out, tables=("ekadashis",))

    # The manifest names each place's folder and zone.
    manifest = json.load(open(os.path.join(out, tables.MANIFEST)))["inputs"]
    zone = {p["folder"]: p["timezone"] for p in manifest["places"]}
    folders = [tables.folder(n) for n in names]

    # DuckDB: the partition keys place and year come from the paths; times are
    # instants, shown here on each place's clock.
    con = duckdb.connect()
    con.execute("CREATE TABLE zones (place VARCHAR, zone VARCHAR)")
    con.executemany("INSERT INTO zones VALUES (?, ?)", list(zone.items()))
    rows = con.execute(f"""
        SELECT e.place, e.smartha_date, e.name, e.lunar_month_name, e.paksha,
               timezone(z.zone, e.smartha_sunrise) AS sunrise_local, e.vaishnava_date
        FROM read_parquet('{out}/ekadashis/*/*/*.parquet', hive_partitioning = true) AS e
        JOIN zones AS z USING (place)
        WHERE e.year = 2030 AND e.place IN (SELECT unnest(?::VARCHAR[]))
        ORDER BY e.place, e.smartha_date""", [folders]).fetchall()

    # pyarrow: the same rows from a dataset filtered on the partition keys.
    table = ds.dataset(os.path.join(out, "ekadashis"), format="parquet", partitioning="hive").to_table(
        columns=["place", "smartha_date", "name"],
        filter=(ds.field("year") == 2030) & ds.field("place").isin(folders))
    arrow = sorted(zip(*(table.column(c).to_pylist() for c in ("place", "smartha_date", "name"))))

    assert [r[:3] for r in rows] == arrow, "DuckDB and pyarrow disagree"
    print(f"{len(rows)} Ekadashis at {len({r[0] for r in rows})} places in 2030 "
          f"(DuckDB and pyarrow agree)")
    for place, day, name, month, paksha, sunrise, vaishnava in rows[:5]:
        also = "" if vaishnava == day else f", Vaishnava {vaishnava}"
        print(f"  {place:<12} {day}  {name} ({paksha} {month}), sunrise {sunrise:%H:%M}{also}")


if __name__ == "__main__":  # the local cluster's workers import this file
    main()
