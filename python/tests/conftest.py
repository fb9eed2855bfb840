"""Shared fixtures: the project's problem folders and the engine."""

from __future__ import annotations

import shutil
import sys
from pathlib import Path

import pytest

PACKAGE_ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(PACKAGE_ROOT))

import tovek  # noqa: E402

PROJECT = PACKAGE_ROOT.parent
DATA = PROJECT / "tests" / "data"
EXAMPLE = PROJECT / "examples" / "pipe-pile"
RUNS = sorted(p for p in (DATA / "runs").iterdir() if p.is_dir())
EVERY_BLOCK = DATA / "input" / "every-block-si"


def problem_folders() -> list[Path]:
    """Every problem folder of the test data and the bundled example."""
    return RUNS + [EXAMPLE]


@pytest.fixture(scope="session")
def engine() -> Path:
    """The host program; the tests that run the engine need it built."""
    return tovek.find_engine()


def copy_folder(source: Path, target: Path) -> Path:
    target.mkdir(parents=True, exist_ok=True)
    for item in source.iterdir():
        if item.is_file():
            shutil.copy(item, target / item.name)
    return target


def every_block_folder(target: Path) -> Path:
    """The input of every optional block, with a names.dat of its own."""
    target.mkdir(parents=True, exist_ok=True)
    for suffix in (".in", ".cpt"):
        shutil.copy(EVERY_BLOCK.with_suffix(suffix), target / f"every-block-si{suffix}")
    (target / "names.dat").write_text("1.0\n\n\n1\nevery-block-si.in\nevery-block-si.out\nevery-block-si.plt\n"
                                      "every-block-si.cpt\n")
    return target


@pytest.fixture
def example_folder(tmp_path: Path) -> Path:
    return copy_folder(EXAMPLE, tmp_path / "pipe-pile")


@pytest.fixture(scope="session")
def example_results(engine, tmp_path_factory) -> "tovek.Results":
    folder = copy_folder(EXAMPLE, tmp_path_factory.mktemp("example"))
    return tovek.run(folder, engine)
