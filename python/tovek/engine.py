"""Runs of the engine through its host program `tovek`.

The host program runs one analysis in a folder exactly as the desktop front
end does: it reads names.dat and the problem files there and writes the
report and the plot data file beside them. Its exit status is the run
status: 0 when the run went through, 1 when it ended early on unusable
input, with the reason on the console and at the end of the report.
"""

from __future__ import annotations

import os
import shutil
import subprocess
import tempfile
from pathlib import Path

from .freeformat import read_text_file
from .problem import Problem, read_problem, read_run_control
from .results import Results

ENGINE_VARIABLE = "TOVEK_ENGINE"


class EngineNotFound(FileNotFoundError):
    """The host program cannot be found."""


class EngineError(RuntimeError):
    """A run that ended early. `message` is the engine's own message, as the
    report (or the console) ends with it; `status`, `console` and `report`
    keep the rest."""

    def __init__(self, message: str, status: int, console: str = "", report: str | None = None,
                 folder: Path | None = None):
        self.message = message
        self.status = status
        self.console = console
        self.report = report
        self.folder = folder
        super().__init__(f"the run ended early (status {status}): {message}")


def _project_build_folder() -> Path:
    # python/tovek/engine.py -> the project folder two levels above the package
    return Path(__file__).resolve().parent.parent.parent / "build"


def find_engine(engine: str | Path | None = None) -> Path:
    """The host program: `engine` when given (a path or a name on PATH);
    else the one named by the environment variable TOVEK_ENGINE; else the
    one in the project's build folder; else `tovek` on PATH."""
    candidates: list[tuple[str, str | Path]] = []
    if engine is not None:
        candidates.append(("given", engine))
    elif os.environ.get(ENGINE_VARIABLE):
        candidates.append((ENGINE_VARIABLE, os.environ[ENGINE_VARIABLE]))
    else:
        candidates.append(("build folder", _project_build_folder() / "tovek"))
        candidates.append(("PATH", "tovek"))
    for _, candidate in candidates:
        path = Path(candidate)
        if path.is_file() and os.access(path, os.X_OK):
            return path.resolve()
        if os.sep not in str(candidate) and (found := shutil.which(str(candidate))):
            return Path(found)
    tried = "; ".join(f"{where}: {candidate}" for where, candidate in candidates)
    raise EngineNotFound(f"the host program tovek was not found ({tried}); build it with ./run-tests.sh or "
                         f"cmake, or name it with engine=... or {ENGINE_VARIABLE}")


def _last_paragraph(text: str) -> str:
    """The last block of non-empty lines of a text, each line stripped."""
    paragraphs: list[list[str]] = []
    current: list[str] = []
    for line in text.splitlines():
        if line.strip():
            current.append(line.strip())
        elif current:
            paragraphs.append(current)
            current = []
    if current:
        paragraphs.append(current)
    return "\n".join(paragraphs[-1]) if paragraphs else ""


def engine_message(report: str | None, console: str) -> str:
    """The message of a run that ended early: the last paragraph of the
    report, where the engine writes it; the console's when there is no
    report."""
    for text in (report, console):
        if text:
            message = _last_paragraph(text)
            if message:
                lines = [line.removeprefix("*** ").strip() for line in message.splitlines()
                         if line.strip() != "*** THE ANALYSIS CANNOT PROCEED."]
                return " ".join(" ".join(lines).split()) if lines else message
    return "no message"


def run_folder(folder: str | Path, engine: str | Path | None = None, problem: Problem | None = None,
               timeout: float | None = None) -> Results:
    """Runs the engine in a folder that holds names.dat and the problem
    files, and reads its results. Raises EngineError when the run ends
    early."""
    base = Path(folder).resolve()
    program = find_engine(engine)
    completed = subprocess.run([str(program), str(base)], stdin=subprocess.DEVNULL, capture_output=True,
                               timeout=timeout, check=False)
    console = completed.stdout.decode("latin-1") + completed.stderr.decode("latin-1")
    files = None
    report = None
    try:
        files = read_run_control(base)
        report_path = base / files.output_file
        if files.output_file and report_path.is_file():
            report = read_text_file(report_path)
    except ValueError:
        pass
    if completed.returncode != 0 or files is None:
        raise EngineError(engine_message(report, console), completed.returncode, console, report, base)
    if problem is None:
        # Names the engine takes (a Windows path on another system, say)
        # may not read here: the results then go without their problem.
        try:
            problem = read_problem(base)
        except ValueError:
            problem = None
    plot_path = base / files.plot_file
    return Results(read_text_file(plot_path), report=report, problem=problem, name=files.plot_file, folder=base,
                   plot_file=plot_path)


def run(problem_or_folder: Problem | str | Path, engine: str | Path | None = None, *,
        folder: str | Path | None = None, timeout: float | None = None) -> Results:
    """Runs one analysis and returns its Results.

    Given a Problem, it is written into `folder` (a temporary folder, removed
    afterwards, when none is given) and run there. Given a folder, the run
    is made in that folder, as the front end makes it. A run that ends
    early raises EngineError with the engine's message."""
    if isinstance(problem_or_folder, Problem):
        problem = problem_or_folder.in_one_folder()
        if folder is not None:
            problem.write(folder)
            return run_folder(folder, engine, problem, timeout)
        with tempfile.TemporaryDirectory(prefix="tovek-") as scratch:
            problem.write(scratch)
            results = run_folder(scratch, engine, problem, timeout)
            results.folder = None
            results.plot_file = None
            return results
    source = Path(problem_or_folder)
    if folder is not None:
        raise TypeError("folder= applies to a Problem; a folder is run where it is")
    return run_folder(source, engine, None, timeout)
