"""The command line: python3 -m tovek run | chart | study."""

from __future__ import annotations

import csv
import subprocess
import sys

import pytest

import tovek

from conftest import EXAMPLE, PACKAGE_ROOT, copy_folder

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def tovek_command(*args: str) -> subprocess.CompletedProcess:
    return subprocess.run([sys.executable, "-m", "tovek", *args], cwd=PACKAGE_ROOT, capture_output=True, text=True)


@pytest.mark.parametrize("args, text", [
    ((), "COMMAND"), (("run",), "Runs the engine in FOLDER"), (("chart",), "PNG and SVG"),
    (("study",), "start:stop:step"),
])
def test_help(args, text):
    completed = tovek_command(*args, "--help")
    assert completed.returncode == 0 and text in completed.stdout


def test_run_command_prints_the_capacity_at_the_tip(engine, tmp_path):
    folder = copy_folder(EXAMPLE, tmp_path / "run")
    completed = tovek_command("run", str(folder), "--engine", str(engine))
    assert completed.returncode == 0, completed.stderr
    assert "ultimate_capacity (kip)" in completed.stdout
    assert "API RP-2A" in completed.stdout and "386.5" in completed.stdout
    assert (folder / "pipe24.out").is_file()


def test_study_command_over_ten_pile_lengths(engine, tmp_path):
    folder = copy_folder(EXAMPLE, tmp_path / "run")
    table = tmp_path / "study.csv"
    completed = tovek_command("study", str(folder), "--lengths", "20:65:5", "--csv", str(table),
                              "--engine", str(engine))
    assert completed.returncode == 0, completed.stderr
    assert "10/10" in completed.stderr
    rows = list(csv.DictReader(table.open()))
    assert len(rows) == 20
    assert sorted({float(r["total_length"]) for r in rows}) == [20, 25, 30, 35, 40, 45, 50, 55, 60, 65]
    assert {r["method"] for r in rows} == {"User-specified", "API RP-2A"}
    # The problem folder itself is not run.
    assert not (folder / "pipe24.out").exists()


@pytest.mark.parametrize("args, status, message", [
    (("run", "{missing}"), 2, "the run-control file is missing"),
    (("study", "{example}"), 2, "give --lengths, --diameters or --set"),
    (("study", "{example}", "--lengths", "60:50:5"), 2, "expected start <= stop"),
    (("chart", "{example}"), 2, "run the analysis"),
])
def test_command_errors(tmp_path, args, status, message):
    folder = copy_folder(EXAMPLE, tmp_path / "example")
    values = {"missing": str(tmp_path / "none"), "example": str(folder)}
    completed = tovek_command(*(a.format(**values) for a in args))
    assert completed.returncode == status and message in completed.stderr


def test_chart_command_writes_next_to_the_plot_data_file(engine, tmp_path):
    folder = copy_folder(EXAMPLE, tmp_path / "run")
    tovek.run(folder, engine)
    completed = tovek_command("chart", str(folder), "--formats", "png")
    assert completed.returncode == 0, completed.stderr
    assert (folder / "pipe24-capacity.png").read_bytes().startswith(PNG_SIGNATURE)
    assert (folder / "pipe24-charts.pdf").is_file()
    assert not (folder / "pipe24-capacity.svg").exists()
