"""Array behaviour of the module: layouts, dtypes, broadcasting, threads, error modes and bad
input, each checked against the plain one-point answer or a clear error."""

import numpy as np
import pytest

import mapsheet
from conftest import random_points


@pytest.fixture(scope="module")
def points(rng):
    return random_points(rng, 240_000)


def test_threads_give_the_one_thread_answer(points):
    lat, lon = points
    for function in (mapsheet.number, mapsheet.old_number, mapsheet.sheet_id):
        one = function(lat, lon, "1:10000", threads=1)
        for threads in (2, 3, 7):
            assert (function(lat, lon, "1:10000", threads=threads) == one).all(), threads


LAYOUTS = {
    "float32": lambda a: a.astype(np.float32),
    "float16": lambda a: a.astype(np.float16),
    "big-endian": lambda a: a.astype(">f8"),
    "int": lambda a: a.astype(np.int32),
    "reversed view": lambda a: a[::-1][::-1],
    "strided view": lambda a: np.repeat(a, 3)[::3],
    "2-D transposed": lambda a: a.reshape(20, -1).T,
    "3-D": lambda a: a.reshape(4, 5, -1),
}


@pytest.mark.parametrize("name", LAYOUTS)
def test_layouts_and_dtypes_give_the_answer_of_their_values(points, name):
    given_lat, given_lon = (LAYOUTS[name](a[:2000]) for a in points)
    got = mapsheet.number(given_lat, given_lon, "1:25000")
    assert got.shape == given_lat.shape
    flat_lat = np.asarray(given_lat, dtype=float).ravel()
    flat_lon = np.asarray(given_lon, dtype=float).ravel()
    expected = [mapsheet.number(a, b, "1:25000", errors="empty")
                for a, b in zip(flat_lat.tolist(), flat_lon.tolist())]
    assert got.ravel().tolist() == expected


def test_broadcasting_and_scalars():
    grid = mapsheet.number(np.array([[39.5], [40.5]]), np.array([116.2, 116.8, 117.4]), "D")
    assert grid.shape == (2, 3)
    assert grid[1, 2] == mapsheet.number(40.5, 117.4, "D")
    assert isinstance(mapsheet.number(39.5, 116.2, "D"), str)
    assert isinstance(mapsheet.sheet_id(39.5, 116.2, "D"), int)
    assert mapsheet.number(np.float64(39.5), 116.2, "D") == "J50D002005"


SCALE_SPELLINGS = {"ratio": "1:50000", "int": 50000, "separators": "1:50,000",
                   "caption": "1:5万", "letter": "E", "lower letter": "e"}


@pytest.mark.parametrize("name", SCALE_SPELLINGS)
def test_scale_spellings_of_the_cli(name):
    assert mapsheet.number(39.979, 116.318, SCALE_SPELLINGS[name]) == "J50E001010"


def test_error_modes():
    lat = np.array([39.979, np.nan, 88.0, -88.0, 39.979, 1e300])
    lon = np.array([116.318, 116.0, 116.0, 116.0, np.inf, 180.0])
    empty = mapsheet.number(lat, lon, "E")
    assert empty.tolist() == ["J50E001010", "", "", "", "", ""]
    masked = mapsheet.number(lat, lon, "E", errors="mask")
    assert masked.mask.tolist() == [False, True, True, True, True, True]
    assert mapsheet.sheet_id(lat, lon, "E", errors="mask").mask.tolist() == masked.mask.tolist()
    with pytest.raises(mapsheet.Error, match="row 1.*no sheet: the latitude must lie"):
        mapsheet.number(lat, lon, "E", errors="raise")
    with pytest.raises(mapsheet.Error, match="no sheet"):
        mapsheet.number(88.0, 116.0, "E")
    assert mapsheet.number(88.0, 116.0, "E", errors="empty") == ""
    assert isinstance(mapsheet.Error("x"), ValueError)


BAD_CALLS = {
    "unknown scale": (lambda: mapsheet.number(1, 1, "1:30000"), mapsheet.Error,
                      "unknown scale '1:30000'; accepted scales"),
    "scale of another type": (lambda: mapsheet.number(1, 1, 1.5), TypeError, "scale"),
    "string coordinates": (lambda: mapsheet.number(["39.9"], [116.3], "E"), TypeError, "dtype"),
    "object coordinates": (lambda: mapsheet.number(np.array([None]), 1.0, "E"), TypeError,
                           "dtype object"),
    "complex coordinates": (lambda: mapsheet.number(1j, 1.0, "E"), TypeError, "complex"),
    "shapes that do not broadcast": (lambda: mapsheet.number(np.zeros(3), np.zeros(4), "E"),
                                     ValueError, "do not broadcast"),
    "bad errors mode": (lambda: mapsheet.number(1, 1, "E", errors="ignore"), ValueError,
                        "errors must be one of"),
    "no threads": (lambda: mapsheet.number([1], [1], "E", threads=0), ValueError, "threads"),
    "a thousand threads": (lambda: mapsheet.number([1], [1], "E", threads=1000), ValueError,
                           "from 1 to 256"),
    "old number at 1:2000": (lambda: mapsheet.old_number(39.9, 116.3, "1:2000"), mapsheet.Error,
                             "1:2000 has no pre-1992 number"),
    "million-character number": (lambda: mapsheet.bounds("K" * 1_000_000), mapsheet.Error,
                                 "'K{40}…'|row|zone"),
    "NUL inside a number": (lambda: mapsheet.from_number("K\x0050"), mapsheet.Error, "zone"),
    "NUL after a number": (lambda: mapsheet.from_number(["K50\x00"], errors="raise"),
                            mapsheet.Error, "unknown scale letter"),
    "bytes for a number": (lambda: mapsheet.bounds([b"K50"]), TypeError, "must be str"),
    "float for a number": (lambda: mapsheet.bounds(np.array([1.5])), TypeError, "dtype float64"),
    "id of no sheet": (lambda: mapsheet.to_number(12), mapsheet.Error, "no sheet has the id 12"),
    "huge unsigned id": (lambda: mapsheet.to_number(np.array([2**64 - 1], dtype=np.uint64)),
                         mapsheet.Error, "2\\*\\*63"),
    "box upside down": (lambda: mapsheet.cover((41, 116, 40, 117), "E"), mapsheet.Error,
                        "south 41 is above north 40"),
    "NaN box": (lambda: mapsheet.cover((np.nan, 116, 40, 117), "E"), mapsheet.Error, ""),
    "cover too big": (lambda: mapsheet.cover((-80, -170, 80, 170), "1:500"), mapsheet.Error,
                      "more than max_sheets"),
    "unknown cover mode": (lambda: mapsheet.cover((39, 116, 40, 117), "E", mode="touch"),
                           mapsheet.Error, "unknown cover mode 'touch'"),
    "rings out of range": (lambda: mapsheet.neighbours("J50E001010", 0), mapsheet.Error,
                           "rings must lie in 1..1000"),
    "parent at a finer scale": (lambda: mapsheet.parent("J50D001001", "E"), mapsheet.Error,
                                "no sheet of 1:50000"),
    "square at a small scale": (lambda: mapsheet.square(1, 1, "E"), mapsheet.Error,
                                "no square sheets"),
    "angle that is none": (lambda: mapsheet.angle("abc", "degrees"), mapsheet.Error,
                           "no angle in"),
}


@pytest.mark.parametrize("name", BAD_CALLS)
def test_bad_input_gives_a_clear_error(name):
    call, error, message = BAD_CALLS[name]
    with pytest.raises(error, match=message):
        call()


def test_number_arrays_of_any_layout_and_byte_order():
    numbers = np.array([["J50E001010", "J-50-5-A"], ["K50", "SH50D001012"]])
    expected = [mapsheet.from_number(n) for n in numbers.ravel().tolist()]
    for name, given in {"transposed": numbers.T, "big-endian": numbers.astype(">U12"),
                        "objects": numbers.astype(object)}.items():
        got = mapsheet.from_number(given)
        assert got.shape == given.shape, name
        assert np.sort(got.ravel()).tolist() == sorted(expected), name


def test_zero_length_arrays_give_zero_length_answers():
    assert mapsheet.number([], [], "E").shape == (0,)
    assert mapsheet.sheet_id(np.zeros((0, 3)), 0.0, "E").shape == (0, 3)
    assert mapsheet.bounds(np.array([], dtype=str)).shape == (0,)
    assert mapsheet.from_number([]).shape == (0,)


def test_hierarchy_agrees_with_numbering_points():
    lat, lon = 39.979, 116.318
    sheet = mapsheet.number(lat, lon, "1:10000")
    for coarser in ("1:25000", "1:50000", "1:100000", "1:250000", "1:1000000"):
        assert mapsheet.parent(sheet, coarser) == mapsheet.number(lat, lon, coarser)
        assert sheet in mapsheet.children(mapsheet.number(lat, lon, coarser), "1:10000")
    rings = mapsheet.neighbours(sheet, 2)
    assert len(rings) == 25 and rings["sheet"][rings["ring"] == 0].tolist() == [sheet]
    centre = mapsheet.centre(sheet)
    assert mapsheet.number(*centre, "1:10000") == sheet


def test_cover_modes_nest_and_compact_covers_expand_to_the_plain_cover():
    box = (39.37, 115.93, 40.61, 117.11)
    meets = set(mapsheet.cover(box, "1:25000").tolist())
    centre = set(mapsheet.cover(box, "1:25000", mode="centre").tolist())
    within = set(mapsheet.cover(box, "1:25000", mode="within").tolist())
    assert within < centre < meets
    compact = mapsheet.cover(box, "1:25000", compact=True)
    assert len(compact) < len(meets)
    expanded = [s for big in compact.tolist() for s in mapsheet.children(big, "1:25000")]
    assert sorted(expanded) == sorted(meets)


def test_fuzz_random_arrays_and_strings_never_crash(rng):
    special = np.array([np.nan, np.inf, -np.inf, 0.0, -0.0, 88, -88, 180, -180, 1e308, 5e-324])
    for _ in range(30):
        size = int(rng.integers(0, 500))
        lat = rng.choice(np.concatenate([special, rng.normal(0, 100, 50)]), size)
        lon = rng.choice(np.concatenate([special, rng.normal(0, 200, 50)]), size)
        ids = mapsheet.sheet_id(lat, lon, int(rng.choice([500, 50000, 1000000])))
        found = ids != 0
        assert (mapsheet.from_number(mapsheet.to_number(ids[found])) == ids[found]).all()
        alphabet = list("KJSHE0123456789-()[]abc ，－（） \x00\U0001F600") + ["\ud800"]
        texts = ["".join(rng.choice(alphabet, int(rng.integers(0, 20)))) for _ in range(50)]
        try:
            found_ids = mapsheet.from_number(texts, errors="empty")
        except UnicodeEncodeError:
            continue  # a lone surrogate is no text Python can encode
        valid = found_ids != 0
        assert (mapsheet.from_number(mapsheet.to_number(found_ids[valid])) == found_ids[valid]).all()
        garbage = rng.integers(-2**63, 2**63 - 1, 200, dtype=np.int64)
        assert mapsheet.to_number(garbage, errors="mask").shape == (200,)
