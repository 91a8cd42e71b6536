"""Rule files: every malformed file gives one message naming file, entry and key."""

import pytest

from tithiloom import RuleError
from tithiloom.rules import check_ekadashis, ekadashi_rules, festival_rules

GOOD = """\
- id: diwali
  name: Diwali
  rule: tithi_at_sunrise
  lunar_month: 7
  tithi: 30
  priority: vyapti
  kaala: pradosha
- {id: makar, name: &m Makar Sankranti, rule: sankranti, sankranti_index: 0, description: *m}
"""


def write(tmp_path, text, name="mine.yaml"):
    path = tmp_path / name
    if isinstance(text, bytes):
        path.write_bytes(text)
    else:
        path.write_text(text, encoding="utf-8")
    return path


def test_a_good_file_reads_back_and_a_missing_one_is_named(tmp_path):
    rules = festival_rules(write(tmp_path, GOOD))
    assert [r["id"] for r in rules] == ["diwali", "makar"]
    assert rules[1]["description"] == "Makar Sankranti"  # an alias of a single value is read
    assert festival_rules(rules) == rules  # a list of dicts is checked the same way
    with pytest.raises(RuleError, match="nothere.yaml: cannot read"):
        festival_rules(tmp_path / "nothere.yaml")


@pytest.mark.parametrize("text, expected", [
    ("- id: x\n  name: [unclosed\n", r"mine\.yaml: not valid YAML at line 3"),
    ("id: x\n", r"mine\.yaml: expected a list"),
    ("- just text\n", r"entry 1: expected a mapping"),
    ("- {name: X, rule: sankranti, sankranti_index: 0}\n", r"entry 1 \(X\): key 'id': missing"),
    ("- {id: x, name: X, rule: sankranti}\n", r"entry 1 \(x\): key 'sankranti_index': missing"),
    ("- {id: x, name: X, rule: sankranti, sankranti_index: '3'}\n",
     r"entry 1 \(x\): key 'sankranti_index': expected a whole number from 0 to 11, got '3'"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 13, tithi: 1}\n",
     r"entry 1 \(x\): key 'lunar_month': must lie from 1 to 12, got 13"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1, tithi: true}\n",
     r"entry 1 \(x\): key 'tithi': expected a whole number from 1 to 30, got True"),
    ("- {id: x, name: X, rule: lunar, lunar_month: 1}\n", r"entry 1 \(x\): key 'rule': unknown rule 'lunar'"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1, tithi: 1, priority: first}\n",
     r"entry 1 \(x\): key 'priority': unknown label 'first'; accepted: paraviddha"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1, tithi: 1, priority: vyapti,"
     " kaala: dusk}\n", r"entry 1 \(x\): key 'kaala': unknown label 'dusk'"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1, tithi: 1, kaala: pradosha}\n",
     r"entry 1 \(x\): key 'kaala': only matters with priority 'vyapti'"),
    ("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1, tithi: 1, adhika_maasa: never}\n",
     r"entry 1 \(x\): key 'adhika_maasa': unknown label 'never'"),
    ("- {id: x, name: X, rule: sankranti, sankranti_index: 1, tithi: 3}\n",
     r"entry 1 \(x\): key 'tithi': not a key of rule 'sankranti'"),
    ("- {id: x, name: X, rule: sankranti, sankranti_index: 1, aliases: Y}\n",
     r"entry 1 \(x\): key 'aliases': expected a list of non-empty names, got 'Y'"),
    ("- {id: x, name: X, rule: sankranti, sankranti_index: 1, day_offset: 1.5}\n",
     r"entry 1 \(x\): key 'day_offset': expected a whole number from -30 to 30, got 1.5"),
    ("- {id: x, name: X, rule: sankranti, sankranti_index: 1}\n"
     "- {id: x, name: Y, rule: sankranti, sankranti_index: 2}\n",
     r"entry 2 \(x\): key 'id': 'x' is used by an earlier entry"),
    # A list used nine times at each of nine levels would stand for 387 million values.
    ("a: &a [x, x]\nb: &b [*a, *a]\nfestivals:\n- {id: *b, name: X, rule: sankranti}\n",
     r"the list or mapping at line 1, column 4 is used again through an alias"),
    ("- &e {id: x, name: X, rule: sankranti, sankranti_index: 0, self: *e}\n",
     r"the list or mapping at line 1, column 3 is used again"),
    ("#" * (256 << 10) + "\n", r"larger than the 256 KiB a rule file may have"),
    (b"- {id: x}\n- {id: \xff}\n", r"not UTF-8 text at line 2 \(byte 18\)$"),
    ("- {id: x, name: X, rule: sankranti,\n   sankranti_index: " + "9" * 5000 + "}\n",
     r"the value at line 2 cannot be read \(Exceeds the limit \(4300 digits\)[^;]*$"),
    ("- {id: \"a\\nb\\0\", name: X, rule: sankranti}\n", r"entry 1 \('a\\nb\\x00'\): key"),
])
def test_malformed_festival_files(tmp_path, text, expected):
    pattern = expected if expected.startswith("mine") else r"mine\.yaml: " + expected
    with pytest.raises(RuleError, match=pattern):
        festival_rules(write(tmp_path, text))


@pytest.mark.parametrize("entry, expected", [
    ({"shukla_name": "A", "krishna_name": "B"}, "key 'month': missing"),
    ({"month": 0, "shukla_name": "A", "krishna_name": "B"}, "key 'month': must lie from 1 to 12"),
    ({"month": 1, "shukla_name": 5, "krishna_name": "B"}, "key 'shukla_name': expected a"),
    ({"month": 1, "shukla_name": "A"}, "key 'krishna_name': missing"),
])
def test_malformed_ekadashi_entries(entry, expected):
    with pytest.raises(RuleError, match=expected):
        check_ekadashis([entry], "eka.yaml")


def test_the_shipped_files_pass_their_own_checks():
    assert len(festival_rules()) >= 60 and len(ekadashi_rules()) == 12
