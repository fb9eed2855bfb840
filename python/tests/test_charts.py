"""Every chart rendered to a non-empty image, with its axes the right way
round and their units."""

from __future__ import annotations

import io
import re

import pytest

import tovek
from tovek import charts

from conftest import DATA, EXAMPLE, copy_folder, every_block_folder

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


@pytest.fixture(scope="module", params=["pipe-pile", "si-battered-elevation", "closed-pipe-tension-user",
                                        "every-block-si"])
def run_results(request, engine, tmp_path_factory):
    folder = tmp_path_factory.mktemp(request.param)
    if request.param == "pipe-pile":
        copy_folder(EXAMPLE, folder)
    elif request.param == "every-block-si":
        every_block_folder(folder)
    else:
        copy_folder(DATA / "runs" / request.param, folder)
    return tovek.run(folder, engine)


def _png(figure) -> bytes:
    buffer = io.BytesIO()
    figure.savefig(buffer, format="png")
    return buffer.getvalue()


@pytest.mark.parametrize("name", list(charts.CHARTS))
def test_each_chart_renders_to_a_non_empty_image(run_results, name):
    figure = charts.CHARTS[name](run_results)
    if figure is None:
        assert name == "verification" and run_results.verification_curves.empty
        return
    image = _png(figure)
    assert image.startswith(PNG_SIGNATURE) and len(image) > 10_000
    for axes in figure.axes:
        if axes.get_label() == "<colorbar>":
            continue
        labels = axes.get_xlabel() + axes.get_ylabel()
        if labels:
            assert re.search(r"\((ft|m|in|kip|kN|ksf|kPa|psi)\)", labels), labels


def test_capacity_chart_reads_as_an_engineer_expects(run_results):
    figure = charts.capacity_chart(run_results)
    panels = [a for a in figure.axes]
    assert [a.get_title() for a in panels] == run_results.methods
    first = panels[0]
    low, high = first.get_ylim()
    force, length = run_results.units["skin_friction"], run_results.units["position"]
    assert first.get_xlabel() == f"Axial capacity ({force})"
    if run_results.position_is_elevation:
        assert first.get_ylabel() == f"Elevation ({length})" and low < high
    else:
        # Penetration grows downwards from the ground surface at the top.
        assert first.get_ylabel() == f"Pile penetration below ground ({length})" and high == 0.0 and low > 0
    legend = [t.get_text() for t in first.get_legend().get_texts()]
    end = "Self weight" if run_results.problem.options.loading_type == 1 else "End bearing"
    assert legend == ["Skin friction", end, "Ultimate capacity"]


def test_load_settlement_chart_has_settlement_downwards(example_results):
    axes = charts.load_settlement_chart(example_results).axes[0]
    low, high = axes.get_ylim()
    assert high == 0.0 and low > 0
    assert axes.get_ylabel() == "Settlement of the pile head (in)"
    assert [t.get_text() for t in axes.get_legend().get_texts()] == [
        "Head load", "Carried by the shaft", "Carried at the tip (tip share)"]


def test_save_charts_writes_png_svg_and_one_pdf(example_results, tmp_path):
    written = charts.save_charts(example_results, tmp_path, stem="pipe24")
    names = sorted(p.name for p in written)
    assert names == sorted([f"pipe24-{n}.{e}" for n in charts.CHARTS for e in ("png", "svg")] + ["pipe24-charts.pdf"])
    assert all(p.stat().st_size > 1000 for p in written)
    pdf = (tmp_path / "pipe24-charts.pdf").read_bytes()
    assert len(re.findall(rb"/Type /Page\b", pdf)) == len(charts.CHARTS)
