"""Parameter studies over a grid of values, run in parallel processes."""

from __future__ import annotations

import pytest

import tovek
from tovek.study import set_field


def test_small_study_over_lengths_and_diameters(engine, capsys):
    frame = tovek.study(tovek.examples.pipe_pile(), lengths=[40, 60], diameters=[24, 30], engine=engine, jobs=2)
    assert list(frame.columns) == ["case", "total_length", "outside_diameter", "method", "position",
                                   "skin_friction", "end_bearing", "ultimate_capacity", "unit_side_friction"]
    assert frame["case"].tolist() == [1, 1, 2, 2, 3, 3, 4, 4]
    assert frame[["total_length", "outside_diameter"]].drop_duplicates().values.tolist() == [
        [40, 24], [40, 30], [60, 24], [60, 30]]
    assert frame["method"].tolist() == ["User-specified", "API RP-2A"] * 4
    # The case of the bundled example gives its capacity at the tip.
    case = frame[(frame["total_length"] == 60) & (frame["outside_diameter"] == 24)]
    assert case[["position", "ultimate_capacity"]].values.tolist() == [[60, 490.9], [60, 386.5]]
    assert (frame.groupby("case")["position"].first().tolist() == [40, 40, 60, 60])
    # A larger pipe carries more.
    api = frame[frame["method"] == "API RP-2A"].set_index(["total_length", "outside_diameter"])
    assert api.loc[(60, 30), "ultimate_capacity"] > api.loc[(60, 24), "ultimate_capacity"]
    assert frame.attrs["units"] == {"total_length": "ft", "outside_diameter": "in", "position": "ft",
                                    "skin_friction": "kip", "end_bearing": "kip", "ultimate_capacity": "kip",
                                    "unit_side_friction": "ksf"}
    progress = capsys.readouterr().err
    assert "pile study" in progress and "4/4" in progress


def test_study_of_any_field_by_its_path(engine):
    frame = tovek.study(tovek.examples.pipe_pile(), parameters={"layers[0].friction_angle": [30, 34],
                                                                "print_increment": [10]},
                        engine=engine, progress=False)
    assert frame[["layers[0].friction_angle", "print_increment"]].drop_duplicates().values.tolist() == [
        [30, 10], [34, 10]]
    api = frame[frame["method"] == "API RP-2A"]["ultimate_capacity"].tolist()
    assert api[1] > api[0]
    assert frame.attrs["units"]["layers[0].friction_angle"] == "deg"


def test_cases_that_end_early(engine):
    problem = tovek.examples.pipe_pile()
    with pytest.raises(tovek.EngineError, match=r"case 2 \(total_length = 68\): COMPUTATION DOES NOT PROCEED"):
        tovek.study(problem, lengths=[60, 68], engine=engine, progress=False)
    frame = tovek.study(problem, lengths=[60, 68], engine=engine, progress=False, on_error="record")
    assert frame["case"].tolist() == [1, 1, 2]
    assert frame["error"].isna().tolist() == [True, True, False]
    assert "DEEPEST SOIL PROFILE" in frame["error"].iloc[2]


@pytest.mark.parametrize("kwargs, message", [
    ({"lengths": [-5]}, "case 1 (total_length = -5): pile.total_length"),
    ({"parameters": {"pile.no_such_field": [1]}}, 'Pile has no field "no_such_field"'),
    ({"parameters": {"layers[9].depth": [1]}}, "there is no entry 9 of layers"),
])
def test_refused_studies_name_the_case_or_field(kwargs, message):
    with pytest.raises(tovek.ProblemError) as caught:
        tovek.study(tovek.examples.pipe_pile(), **kwargs)
    assert message in str(caught.value)


def test_a_pipe_keeps_its_wall_when_its_diameter_changes():
    problem = tovek.examples.pipe_pile()
    set_field(problem, "pile.outside_diameter", 36)
    assert (problem.pile.outside_diameter, problem.pile.inside_diameter) == (36.0, 35.0)
    solid = tovek.examples.pipe_pile()
    solid.pile.inside_diameter = 0
    set_field(solid, "pile.outside_diameter", 18)
    assert solid.pile.inside_diameter == 0
