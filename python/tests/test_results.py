"""The plot data file read block by block, checked number by number against
the files of the whole-run tests."""

from __future__ import annotations

import math

import pytest

import tovek
from tovek.results import parse_field

from conftest import DATA, EXAMPLE, RUNS, copy_folder

EXPECTED = DATA / "expected"
# Problem folders of the whole-run tests and their expected plot data files
# (where the whole-run tests have one).
EXPECTED_PLOT = {**{run.name: EXPECTED / f"{run.name}.plt" for run in RUNS}, EXAMPLE.name: EXPECTED / "pipe-pile.plt"}


def file_numbers(text: str) -> list[float]:
    """Every number of a plot data file in file order (blank-separated)."""
    return [float(item) for line in text.splitlines() for item in line.split()]


def _curve_numbers(frame) -> list[float]:
    numbers: list[float] = []
    for number, curve in frame.groupby("curve", sort=False):
        numbers += [number, len(curve), curve["depth"].iloc[0]]
        for row in curve.itertuples():
            numbers += [row.load_transfer, row.movement]
    return numbers


def results_numbers(results: tovek.Results) -> list[float]:
    """The numbers of every block of the results, in the order of the file."""
    h = results.header
    numbers = [h.block_count, h.row_count, h.unit_system, h.load_transfer_method]
    numbers += results.capacity[["position", "skin_friction", "end_bearing", "ultimate_capacity",
                                 "unit_side_friction"]].to_numpy().ravel().tolist()
    numbers += [results.tz_curves["curve"].nunique()] + _curve_numbers(results.tz_curves)
    numbers += results.tip_curve[["tip_load", "tip_movement"]].to_numpy().ravel().tolist()
    numbers += [len(results.load_settlement)]
    numbers += results.distributions[["distance", "load", "movement"]].to_numpy().ravel().tolist()
    numbers += results.load_settlement.to_numpy().ravel().tolist()
    if len(results.verification_curves):
        numbers += [results.verification_curves["curve"].nunique()] + _curve_numbers(results.verification_curves)
    return numbers


def test_bundled_example_plot_file_number_by_number():
    path = EXPECTED / "pipe-pile.plt"
    results = tovek.read_results(path, problem=tovek.read_problem(EXAMPLE))
    assert results_numbers(results) == file_numbers(path.read_text())
    assert results.methods == ["User-specified", "API RP-2A"]
    assert results.header == tovek.results.PlotHeader(2, 13, 1, 4)
    assert len(results.capacity) == 26
    assert results.capacity.iloc[13].tolist() == ["API RP-2A", 0.0, 0.0, 0.0, 0.0, 0.0]
    assert results.capacity.iloc[-1].tolist() == ["API RP-2A", 60.0, 327.1, 59.4, 386.5, 1.453]
    assert results.tz_curves["curve"].nunique() == 9 and len(results.tz_curves) == 90
    assert results.tip_curve["tip_load"].iloc[-1] == 59.38
    assert len(results.distributions) == 13 * 13
    assert results.load_settlement.iloc[-1].tolist() == [361.4, 2.163, 55.71, 2.0]
    assert sorted(results.verification_curves["depth"].unique()) == [10.0, 40.0]


@pytest.mark.parametrize("folder", RUNS + [EXAMPLE], ids=lambda p: p.name)
def test_whole_run_plot_files_number_by_number(engine, tmp_path, folder):
    results = tovek.run(copy_folder(folder, tmp_path), engine)
    written = (tmp_path / results.problem.files.plot_file).read_text()
    assert results_numbers(results) == file_numbers(written)
    # The capacity blocks as the whole-run tests expect them.
    expected = EXPECTED_PLOT[folder.name]
    if expected.is_file():
        lines = expected.read_text().splitlines()
        blocks = results.header.block_count * results.header.row_count
        assert file_numbers("\n".join(lines[:1 + blocks])) == results_numbers(results)[:4 + 5 * blocks]
    # Every block is named after the table it comes from.
    assert results.methods == [m.name for m in tovek.methods.methods_in_report(results.report)]
    rows = results.header.row_count
    assert (results.capacity.groupby("method", sort=False).size() == rows).all()
    assert (results.distributions.groupby("case").size() == rows).all()
    per_case = results.distributions.groupby("case")["tip_movement"].first().tolist()
    assert per_case == results.load_settlement["tip_movement"].tolist()


def test_blocks_are_named_after_the_report_when_the_selections_count_more_methods(engine, tmp_path):
    # FHWA, API RP-2A and NGI are selected; NGI runs only with CPT data, which
    # this problem has not: the report tabulates FHWA and API RP-2A.
    folder = copy_folder(DATA / "runs" / "no-averaging-sand-limit-marker", tmp_path)
    problem = tovek.read_problem(folder)
    problem.options.capacity_methods[5] = 1
    problem.write(folder)
    results = tovek.run(folder, engine)
    assert [m.key for m in results.problem.options.selected_methods()] == ["fhwa", "api", "ngi"]
    assert results.methods == ["FHWA", "API RP-2A"]


def test_block_names_without_report_or_problem():
    path = EXPECTED / "pipe-pile.plt"
    assert tovek.read_results(path).methods == ["block 1", "block 2"]
    assert tovek.read_results(path, methods=["user", tovek.method("api")]).methods == ["User-specified", "API RP-2A"]
    with pytest.raises(tovek.PlotFileError, match="1 method names given for 2 capacity blocks"):
        tovek.read_results(path, methods=["api"])


@pytest.mark.parametrize("field, value", [
    ("   0.00", 0.0), ("  -12.5", -12.5), ("*********", math.nan), ("      ", math.nan),
    (" 0.1234E+05", 12340.0), ("-.1234E+05", -12340.0), (" 0.1234+100", 0.1234e100), ("-0.5000-101", -0.5e-101),
    ("       NaN", math.nan), (" Infinity", math.inf), ("-Inf", -math.inf), ("          12", 12.0),
])
def test_fixed_column_fields(field, value):
    parsed = parse_field(field)
    assert (math.isnan(parsed) and math.isnan(value)) or parsed == value


def test_fields_of_asterisks_read_as_missing(tmp_path):
    lines = (EXPECTED / "pipe-pile.plt").read_text().splitlines()
    lines[1] = lines[1][:31] + "*" * 9 + lines[1][40:]        # ultimate capacity, F9.1
    k = next(i for i, line in enumerate(lines) if line.startswith("       0.") and len(line) == 65)
    lines[k] = "*" * 17 + lines[k][17:]                      # first top load, E17.4
    path = tmp_path / "stars.plt"
    path.write_text("\n".join(lines) + "\n")
    results = tovek.read_results(path)
    first = results.capacity.iloc[0]
    assert math.isnan(first["ultimate_capacity"])
    assert first[["position", "skin_friction", "end_bearing", "unit_side_friction"]].tolist() == [0, 0, 127.2, 1.01]
    assert math.isnan(results.load_settlement["top_load"].iloc[0])
    assert results.load_settlement["top_movement"].iloc[0] == 0.00025


@pytest.mark.parametrize("edit, message", [
    (lambda lines: lines[:100], "the file ends at line 100; expected a point of layer t-z curve 7"),
    (lambda lines: lines[:1] + lines[2:], "line 27: expected a capacity row of API RP-2A of 51 columns"),
    (lambda lines: ["2 13 1"] + lines[1:], "line 1: expected the header"),
    (lambda lines: lines + ["junk"], "unexpected line after the last block"),
])
def test_malformed_plot_files_name_the_line(tmp_path, edit, message):
    path = tmp_path / "bad.plt"
    path.write_text("\n".join(edit((EXPECTED / "pipe-pile.plt").read_text().splitlines())) + "\n")
    with pytest.raises(tovek.PlotFileError) as caught:
        tovek.read_results(path, methods=["user", "api"])
    assert message in str(caught.value)


@pytest.mark.parametrize("folder, units, elevation", [
    ("pipe24", {"position": "ft", "skin_friction": "kip", "unit_side_friction": "ksf", "load_transfer": "psi",
                "movement": "in", "distance": "ft", "top_load": "kip"}, False),
    ("si-battered-elevation", {"position": "m", "skin_friction": "kN", "unit_side_friction": "kPa",
                               "load_transfer": "kPa", "movement": "m", "distance": "m", "top_load": "kN"}, True),
])
def test_units_of_every_column(engine, tmp_path, folder, units, elevation):
    results = tovek.run(copy_folder(DATA / "runs" / folder, tmp_path), engine)
    assert {name: results.units[name] for name in units} == units
    for frame in (results.capacity, results.tz_curves, results.tip_curve, results.distributions,
                  results.load_settlement):
        assert frame.attrs["units"] == {c: results.units[c] for c in frame.columns if c in results.units}
    assert results.position_is_elevation is elevation
    # Without the problem, elevations are known by their falling along the pile.
    assert tovek.read_results(results.plot_file).position_is_elevation is elevation
