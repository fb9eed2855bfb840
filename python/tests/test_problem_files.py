"""Reading and writing the problem files as the engine reads them, and the
checks that refuse what the engine would refuse."""

from __future__ import annotations

import math
import subprocess

import pytest

import tovek
from tovek.freeformat import FreeFormatReader, parse_real, values_on_line
from tovek.problem import SOIL_COLUMNS

from conftest import EXAMPLE, copy_folder, every_block_folder, problem_folders

# A small valid input data file, record by record; tests replace records.
BASE = {
    "title1": "Test pile",
    "title2": "Designer",
    "title3": "Job",
    "record4": "1 1 2 0",
    "record5": "0 0 24 23 29000000 40 0",
    "record6": "0 0 0",
    "record7": "0 1.0 1 0 4 0 0",
    "record8": "0 0 0 1 0 0 0 0 0",
    "record9": "60 0",
    "record10": "0 1 0.8 115 32 0\n0 0 0 15 0 0 0 1000 40000 1 1 0 0 0\n"
                "60 1 0.8 115 34 0\n0 0 0 25 0 0 0 1500 60000 1 1 0 0 0",
    "record11": "0",
    "record12": "0 1.0",
    "record13": "0 0 0",
    "record14": "0 0",
    "record15": "0 0",
    "record16": "0",
    "record17": "0",
    "record18": "0",
}


def input_text(**records: str) -> str:
    values = {**BASE, **records}
    return "\n".join(values[key] for key in BASE) + "\n"


def read_text(tmp_path, text: str, cpt: str = "0 0\n") -> tovek.Problem:
    (tmp_path / "p.in").write_text(text)
    (tmp_path / "p.cpt").write_text(cpt)
    return tovek.read_input_file(tmp_path / "p.in", tmp_path / "p.cpt")


# -- reading rules -------------------------------------------------------------


@pytest.mark.parametrize("records, field, expected", [
    # repeat counts stand for repeated values
    ({"record8": "4*0 1 4*0"}, "options.capacity_methods", [0, 0, 0, 0, 1, 0, 0, 0, 0]),
    ({"record13": "3*1"}, "options.plug_option", 1),
    # a read goes on over lines; commas separate; the rest of the last line is skipped
    ({"record6": "0.0\n0.0, 5.0  batter in degrees"}, "pile.batter_angle", 5.0),
    ({"record9": "60 0 extra values 7 8"}, "soil_profile_bottom", 60.0),
    ({"record7": "0,1.0,1,0,4,0,0"}, "options.length_increment", 1.0),
    # reals with exponents (E or D) and without a point
    ({"record9": "6.0E1 2.5d-2"}, "pile.cross_section_area", 0.025),
    # the pile line: 7 values give the defaults of the optional ones
    ({"record5": "0 0 24 23 29000000 40 0"}, "options.tip_averaging", 1),
    ({"record5": "0 0 24 23 29000000 40 0"}, "options.elevation_output", 0),
    ({"record5": "0 0 24 23 29000000 40 0 1 100.5"}, "options.ground_elevation", 100.5),
    ({"record5": "0 0 24 23 29000000 40 0 1 100.5"}, "options.tip_averaging", 1),
    ({"record5": "0 0 24 23 29000000 40 0 0 0 0"}, "options.tip_averaging", 0),
    ({"record5": "0 0 24 23 29000000 40 0 0 0 2 end of the pile values"}, "options.tip_averaging", 2),
    ({"record5": "0 0 24 23 29000000 40 0 0 0 7"}, "options.tip_averaging", 7),
    ({"record5": "0 0 24 23 29000000 40 0 1.9 5 2 9 9"}, "options.tip_averaging", 1),
    ({"record5": "0 0 24 23 29000000 40 0 1.9 5 2 9 9"}, "options.elevation_output", 1),
    ({"record5": "0 0 24 23 29000000 40 0 " + " ".join(["1"] * 53)}, "options.ground_elevation", 1.0),
    ({"record5": "0,0,24,23,2.9E7,40,0"}, "pile.elastic_modulus", 2.9e7),
    # a title keeps its first 72 characters
    ({"title1": "x" * 100}, "project_description", "x" * 72),
    # optional blocks
    ({"record11": "1\n2\n3.0 first depth\n8.5"}, "options.tz_print_depths", [3.0, 8.5]),
    ({"record11": "1\n-2"}, "options.tz_print_depths", []),
    ({"record16": "1\n1"}, "options.tz_factors", []),
    ({"record17": "1\n2\n0.001\n0.01"}, "options.movement_list", [0.001, 0.01]),
    ({"record18": "1\n1.5 0.5"}, "options.tip_curve_scale_b", 0.5),
    ({"record14": "2 2\n0 30\n40 20"}, "pile.area_points", [tovek.AreaPoint(0, 30), tovek.AreaPoint(40, 20)]),
])
def test_reading_rules(tmp_path, records, field, expected):
    problem = read_text(tmp_path, input_text(**records))
    value = problem
    for name in field.split("."):
        value = getattr(value, name)
    assert value == expected


def test_soil_row_columns_in_file_order(tmp_path):
    problem = read_text(tmp_path, input_text())
    assert [getattr(problem.layers[1], name) for name in SOIL_COLUMNS] == [
        60, 1, 0.8, 115, 34, 0, 0, 0, 0, 25, 0, 0, 0, 1500, 60000, 1, 1, 0, 0, 0]
    frame = problem.layers_frame()
    assert list(frame.columns) == SOIL_COLUMNS and frame.loc[2, "friction_angle"] == 34
    assert frame.attrs["units"]["user_unit_end_bearing"] == "psf"
    assert frame.attrs["units"]["peak_movement"] == "in"


def test_block_options_follow_the_data_unless_they_say_otherwise(tmp_path):
    # An option 1 with no rows is kept as read; one that matches the data follows them.
    problem = read_text(tmp_path, input_text(record16="1\n1", record17="1\n1\n0.5"))
    assert problem.options.tz_factor_option == 1
    assert problem.options.movement_list_option is None
    assert problem.options.block_options() == {"tz_print_option": 0, "tz_factor_option": 1,
                                               "movement_list_option": 1, "tip_curve_scale_option": 0}


@pytest.mark.parametrize("text, expected", [
    ("12", 12.0), ("12.5", 12.5), ("1.2E1", 12.0), ("-.5", -0.5), ("5.", 5.0), ("+3d2", 300.0),
    ("1E-400", 0.0), ("1E400", None), ("inf", None), ("nan", None), ("1_0", None), (".", None), ("1.5E", None),
    ("0x10", None),
])
def test_real_values_as_the_engine_takes_them(text, expected):
    assert parse_real(text) == expected


def test_pile_line_counts_values_until_the_first_item_that_is_not_a_number():
    assert values_on_line("1 2,3 2*4 five 6", 50).values == [1, 2, 3, 4, 4]
    assert values_on_line("1 2 3", 2).values == [1, 2]
    assert values_on_line("1,,2", 50).stopped_at_empty_value


# -- errors ------------------------------------------------------------------------


@pytest.mark.parametrize("records, message", [
    ({"record4": "3 1 2 0"}, "unit_system: must be 1 (English units) or 2 (SI units), found 3"),
    ({"record4": "1 0 2 0"}, "print_increment: the printing increment must be at least 1"),
    ({"record4": "1 1 81 0"}, "line 4: the number of soil rows is 81; it must be 1 to 80"),
    ({"record4": "1 1.0 2 0"}, 'line 4: expected a whole number (digits only) for the printing increment in record 4'),
    ({"record6": "0,,0 0"}, "line 6: an empty value between commas in record 6"),
    ({"record6": "0 0 /"}, "line 6: a slash ends record 6"),
    ({"record6": "0 0 x"}, 'expected a number for the batter angle in record 6'),
    ({"record5": "0 0 24 23 29000000 40"}, "line 5: the pile line (record 5) holds 6 values"),
    ({"record5": "0 0 24 23 29000000 40 abc"}, 'holds 6 values, then "abc", which is not a number'),
    ({"record5": "0 0 24 23 29000000 40 41"}, "pile.stickup_length: the stickup length (41) is larger than"),
    ({"record5": "0 0 24 24 29000000 40 0"}, "pile.inside_diameter: must be 0 (solid pile) or greater and smaller"),
    ({"record5": "0 0 0 0 29000000 40 0"}, "pile.outside_diameter: must be greater than 0"),
    ({"record5": "0 0 24 23 29000000 0 0"}, "pile.total_length: the total pile length must be greater than 0"),
    ({"record6": "0 0 90"}, "pile.batter_angle: must lie between -90 and 90 degrees, found 90"),
    ({"record6": "5 30 0"}, "pile.enhanced_end_inside_diameter: must be 0 (solid) or greater and smaller"),
    ({"record7": "0 0 1 0 4 0 0"}, "options.length_increment: the increment of pile length must be greater than 0"),
    ({"record7": "0 1 1 90 4 0 0"}, "pile.taper_angle: the angle of taper must be less than 90 degrees"),
    ({"record10": "10 1 0.8 115 32 0\n0 0 0 15 0 0 0 1000 40000 1 1 0 0 0\n"
                  "5 1 0.8 115 34 0\n0 0 0 25 0 0 0 1500 60000 1 1 0 0 0"},
     "layers[1]: the depth of soil row 2 (5) lies before that of soil row 1 (10)"),
    ({"record11": "2"}, "line 14: the t-z print option must be 0 (no data follow) or 1 (data follow), found 2"),
    ({"record11": "1\n101"}, "the number of t-z print depths is 101; at most 100 are allowed"),
    ({"record14": "101 2"}, "the number of points of the cross-section area table is 101; at most 100"),
    ({"record14": "2 2\n10 30\n0 20"}, "pile.area_points[1]: the distance of area point 2 (0) lies before"),
    ({"record16": "1\n2\n10 1 1\n5 1 1"}, "options.tz_factors[1]: the depth of t-z factor row 2 (5) lies before"),
    ({"record17": "1\n22"}, "the number of movements is 22; at most 21 are allowed"),
    ({"record18": "1"}, "the file ends here; expected the tip curve multipliers (record 18) (2 values, 0 found)"),
])
def test_refused_input_names_the_field_or_line(engine, tmp_path, records, message):
    with pytest.raises(tovek.ProblemError) as caught:
        read_text(tmp_path, input_text(**records))
    assert message in str(caught.value)
    # The engine refuses the same files.
    (tmp_path / "names.dat").write_text("1.0\n\n\n1\np.in\np.out\np.plt\np.cpt\n")
    assert _run(engine, tmp_path) == 1
    assert "THE ANALYSIS CANNOT PROCEED" in (tmp_path / "p.out").read_text()


def test_the_base_input_runs(engine, tmp_path):
    read_text(tmp_path, input_text())
    (tmp_path / "names.dat").write_text("1.0\n\n\n1\np.in\np.out\np.plt\np.cpt\n")
    assert _run(engine, tmp_path) == 0


@pytest.mark.parametrize("cpt, option, message", [
    ("0 1001\n", 0, "the number of CPT points is 1001; at most 1000 are allowed"),
    ("0 2\n5 100\n1 200\n", 1, "cpt.points[1]: the depth of CPT point 2 (1) lies before that of CPT point 1 (5)"),
    ("", 0, "the file ends here; expected record 1 of the CPT data"),
])
def test_refused_cpt_data(engine, tmp_path, cpt, option, message):
    with pytest.raises(tovek.ProblemError) as caught:
        read_text(tmp_path, input_text(record7=f"0 1.0 1 0 4 {option} 0"), cpt)
    assert message in str(caught.value)
    (tmp_path / "names.dat").write_text("1.0\n\n\n1\np.in\np.out\np.plt\np.cpt\n")
    assert _run(engine, tmp_path) == 1


def test_cpt_points_out_of_order_are_read_when_the_cone_methods_do_not_use_them(tmp_path):
    problem = read_text(tmp_path, input_text(), "0 2\n5 100\n1 200\n")
    assert [p.depth for p in problem.cpt.points] == [5, 1]


def _example() -> tovek.Problem:
    return tovek.read_problem(EXAMPLE)


@pytest.mark.parametrize("change, message", [
    (lambda p: setattr(p, "project_description", "y" * 73), "project_description: 73 characters"),
    (lambda p: setattr(p.options, "tz_factors", [tovek.TzFactor(10, 1, 1)]),
     "options.tz_factors: a t-z factor table of one row is not carried by the input file"),
    (lambda p: setattr(p.options, "movement_list_option", 0) or p.options.movement_list.append(0.1),
     "options.movement_list: values are given but options.movement_list_option is 0"),
    (lambda p: setattr(p.options, "movement_list", [0.1] * 22), "options.movement_list: 22 movements"),
    (lambda p: setattr(p, "layers", p.layers * 14), "layers: 84 soil rows; give 1 to 80"),
    (lambda p: setattr(p.options, "plug_option", 1.0), "options.plug_option: expected a whole number, found 1.0"),
    (lambda p: setattr(p.layers[2], "friction_angle", math.nan), "layers[2].friction_angle: expected a finite number"),
    (lambda p: setattr(p.options, "capacity_methods", [1, 0]), "options.capacity_methods: nine flags"),
    (lambda p: setattr(p.options, "load_transfer_method", 2**31), "outside the range of 32-bit whole numbers"),
    (lambda p: setattr(p.files, "plot_file", "pipe24.out"),
     'files.plot_file: the plot data file "pipe24.out" is the same file as the report file'),
    (lambda p: setattr(p.files, "output_file", "names.dat"), "is the same file as the run-control file"),
    (lambda p: setattr(p, "job_number", "two\nlines"), "job_number: a text of one line is expected"),
])
def test_refused_problem_objects_name_the_field(change, message):
    problem = _example()
    change(problem)
    with pytest.raises(tovek.ProblemError) as caught:
        problem.write("/nonexistent-folder-never-made")
    assert message in str(caught.value)


def test_names_dat_that_ends_within_the_file_names_is_refused(tmp_path):
    folder = copy_folder(EXAMPLE, tmp_path / "p")
    (folder / "names.dat").write_text("1.0\nA\nB\n1\npipe24.in\npipe24.out\n")
    with pytest.raises(tovek.InputFileError, match="ends before the four file names"):
        tovek.read_problem(folder)


# -- round trip -----------------------------------------------------------------------


def _run(engine, folder):
    completed = subprocess.run([str(engine), str(folder)], stdin=subprocess.DEVNULL, capture_output=True)
    return completed.returncode


def _report_lines(path):
    # The time of the run and the folder differ between two runs.
    return [line for line in path.read_text(encoding="latin-1").splitlines()
            if "Date:  " not in line and "Path to file locations" not in line]


@pytest.mark.parametrize("source", problem_folders() + ["every-block-si"], ids=lambda p: getattr(p, "name", p))
def test_round_trip_gives_the_same_report(engine, tmp_path, source):
    original = (every_block_folder(tmp_path / "original") if source == "every-block-si"
                else copy_folder(source, tmp_path / "original"))
    problem = tovek.read_problem(original)
    written = problem.write(tmp_path / "written")
    assert tovek.read_problem(written) == problem
    assert _run(engine, original) == 0
    assert _run(engine, written) == 0
    files = problem.files
    assert _report_lines(written / files.output_file) == _report_lines(original / files.output_file)
    assert (written / files.plot_file).read_text() == (original / files.plot_file).read_text()


def test_written_files_read_back_value_for_value(tmp_path):
    problem = _example()
    problem.pile.elastic_modulus = 2.9e7 / 3
    problem.layers[0].effective_unit_weight = 0.1 + 0.2
    problem.layers[1].friction_angle = -0.0
    problem.options.movement_list = [1e-5, 0.1, 2.5e-3]
    problem.options.tz_factors = [tovek.TzFactor(0, 1.5, 0.5), tovek.TzFactor(70, 1e-20, 3)]
    problem.options.tip_curve_scale_a, problem.options.tip_curve_scale_b = 1.25, 0.75
    problem.cpt.points = [tovek.CptPoint(0, 1000.5), tovek.CptPoint(10, 2e5)]
    problem.cpt.leading_value = 7
    back = tovek.read_problem(problem.write(tmp_path))
    assert back == problem
    assert math.copysign(1, back.layers[1].friction_angle) == -1


def test_example_built_in_python_is_the_bundled_example():
    assert tovek.examples.pipe_pile() == _example()


def test_file_names_with_a_folder_are_written_under_their_base_name(tmp_path):
    problem = _example()
    problem.files.input_file = "C:\\TOVEK\\EXAMPLES\\pipe24.in"
    problem.write(tmp_path)
    assert (tmp_path / "pipe24.in").is_file()
    assert tovek.read_problem(tmp_path).files.input_file == "pipe24.in"
    assert problem.files.input_file == "C:\\TOVEK\\EXAMPLES\\pipe24.in"


def test_reader_reads_free_format_lists_over_lines():
    reader = FreeFormatReader("f", "1 2\n\n3, 4 rest\n5\n")
    values = reader.read(4, "four values")
    assert [values.integer(k, "v") for k in range(1, 5)] == [1, 2, 3, 4]
    assert values.line(4) == 3
    assert reader.read_integer("five") == 5
