"""Runs of the host program: results, early ends with the engine's message,
and finding the engine."""

from __future__ import annotations

import os

import pytest

import tovek

from conftest import EXAMPLE, copy_folder


def test_run_of_a_problem_object_in_a_temporary_folder(engine):
    results = tovek.run(tovek.examples.pipe_pile(), engine)
    assert results.folder is None and results.plot_file is None
    assert "TOVEK for Windows, Version 1.0" in results.report
    assert "*  API RP-2A (2010)  *" in results.report
    assert results.methods == ["User-specified", "API RP-2A"]
    tip = results.tip_capacity()
    assert tip[["method", "position", "ultimate_capacity"]].values.tolist() == [
        ["User-specified", 60.0, 490.9], ["API RP-2A", 60.0, 386.5]]
    assert list(results.capacity.columns) == ["method", "position", "skin_friction", "end_bearing",
                                              "ultimate_capacity", "unit_side_friction"]


def test_run_in_a_given_folder_keeps_the_files(engine, tmp_path):
    problem = tovek.examples.pipe_pile()
    problem.files.input_file = "C:\\TOVEK\\EXAMPLES\\pipe24.in"
    results = tovek.run(problem, engine, folder=tmp_path / "run")
    assert {p.name for p in (tmp_path / "run").iterdir()} == {"names.dat", "pipe24.in", "pipe24.cpt",
                                                              "pipe24.out", "pipe24.plt"}
    assert results.plot_file == (tmp_path / "run" / "pipe24.plt").resolve()
    assert tovek.read_run(tmp_path / "run").capacity.equals(results.capacity)


def test_run_of_a_folder_runs_where_it_is(engine, example_folder):
    results = tovek.run(example_folder, engine)
    assert (example_folder / "pipe24.out").is_file()
    assert results.problem == tovek.read_problem(EXAMPLE)


@pytest.mark.parametrize("change, message", [
    (lambda p: setattr(p, "soil_profile_bottom", 40),
     "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE 40.00 FT. IS LESS THAN PILE EMBEDDED LENGTH "
     "PLUS TWO TIMES THE PILE DIAMETER 64.00 FT."),
    (lambda p: setattr(p.options, "length_increment", 0.1), "YOUR NUMBERS OF SEGMENT 700 IS LARGER THAN"),
    (lambda p: setattr(p.pile, "taper_angle", 45),
     'ERROR IN FILE "pipe24.in": the angle of taper (45.00 degrees) narrows the pile to no diameter'),
])
def test_run_that_ends_early_raises_with_the_engines_message(engine, change, message):
    problem = tovek.examples.pipe_pile()
    change(problem)
    with pytest.raises(tovek.EngineError) as caught:
        tovek.run(problem, engine)
    error = caught.value
    assert error.status == 1
    assert message in error.message and message in str(error)
    assert error.report is not None and "THE ANALYSIS CANNOT PROCEED" not in error.message


def test_early_end_before_the_report_takes_the_console_message(engine, tmp_path):
    with pytest.raises(tovek.EngineError, match="the run-control file is missing"):
        tovek.run_folder(tmp_path, engine, problem=tovek.examples.pipe_pile())


def test_refused_problem_runs_nothing(engine, tmp_path):
    problem = tovek.examples.pipe_pile()
    problem.pile.stickup_length = 70
    with pytest.raises(tovek.ProblemError, match="pile.stickup_length"):
        tovek.run(problem, engine, folder=tmp_path / "never")
    assert not (tmp_path / "never").exists()


def test_finding_the_engine(engine, tmp_path, monkeypatch):
    assert tovek.find_engine(engine) == engine.resolve()
    with pytest.raises(tovek.EngineNotFound, match="given: .*no-such-engine"):
        tovek.find_engine(tmp_path / "no-such-engine")
    monkeypatch.setenv("TOVEK_ENGINE", str(engine))
    assert tovek.find_engine() == engine.resolve()
    monkeypatch.setenv("TOVEK_ENGINE", str(tmp_path / "missing"))
    with pytest.raises(tovek.EngineNotFound, match="TOVEK_ENGINE"):
        tovek.find_engine()
    monkeypatch.delenv("TOVEK_ENGINE")
    monkeypatch.setenv("PATH", str(engine.parent) + os.pathsep + os.environ.get("PATH", ""))
    assert tovek.find_engine("tovek") == engine


def test_results_of_a_kept_folder_read_back(engine, tmp_path):
    folder = copy_folder(EXAMPLE, tmp_path)
    tovek.run(folder, engine)
    again = tovek.read_run(folder)
    assert again.methods == ["User-specified", "API RP-2A"] and again.problem is not None
    (folder / "pipe24.plt").write_text("")
    with pytest.raises(tovek.PlotFileError, match="run the analysis"):
        tovek.read_run(folder)


def test_run_without_a_cpt_data_file(engine, tmp_path):
    problem = tovek.examples.pipe_pile()
    problem.files.cpt_file = ""
    results = tovek.run(problem, engine, folder=tmp_path)
    assert not (tmp_path / "pipe24.cpt").exists()
    assert tovek.read_problem(tmp_path).files.cpt_file == ""
    assert results.tip_capacity()["ultimate_capacity"].tolist() == [490.9, 386.5]
