"""The module's mapsheet.Error messages against mapsheet-cli's: both render one error vocabulary,
so a bad sheet number reads the same in both, and every bad value either shows is quoted by the
one rule (40 characters, then "…")."""

import csv
import io

import pytest

import mapsheet
from conftest import run_cli

BAD_NUMBERS = {
    "row code beyond the scale": "K50D145001",
    "unknown scale letter": "K50X001001",
    "zone of a 12-degree row": "R-31",
    "pre-1992 zone of letters": "J-5x",
    "1:25,000 quarter": "J-50-5-A-5",
    "too many pieces": "K-50-104-A-1-1",
    "full-width flood": "Ｋ５０" + "Ｅ" * 10_000,
    "long pre-1992 piece": "J-50-" + "x" * 5_000,
}


def cli_sheet_errors(numbers):
    table = run_cli("sheet", stdin="".join(n + "\n" for n in numbers), statuses=(0, 1))
    return [row["error"] for row in csv.DictReader(io.StringIO(table))]


def test_bad_sheet_numbers_read_the_same_in_both_front_ends():
    numbers = list(BAD_NUMBERS.values())
    for name, number, cli_error in zip(BAD_NUMBERS, numbers, cli_sheet_errors(numbers)):
        assert cli_error, name
        with pytest.raises(mapsheet.Error) as raised:
            mapsheet.bounds(number)
        assert str(raised.value) == cli_error, name


QUOTED_VALUES = {
    "megabyte scale": (lambda: mapsheet.number(1, 1, "1" * 1_000_000), "'" + "1" * 40 + "…'"),
    "megabyte cover mode": (lambda: mapsheet.cover((39, 116, 40, 117), "E", mode="万" * 100_000),
                            "'" + "万" * 40 + "…'"),
    "megabyte sheet number": (lambda: mapsheet.bounds("J-50-" + "万" * 100_000),
                              "'" + "万" * 40 + "…'"),
}


@pytest.mark.parametrize("name", QUOTED_VALUES)
def test_bad_values_are_quoted_by_the_one_rule(name):
    call, quoted = QUOTED_VALUES[name]
    with pytest.raises(mapsheet.Error) as raised:
        call()
    message = str(raised.value)
    assert quoted in message
    assert len(message) < 1000
