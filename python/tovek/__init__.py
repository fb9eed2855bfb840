"""TOVEK for Python: axial capacity and load-settlement analyses of single
driven piles with the TOVEK engine.

Problems are objects (:class:`Problem` with :class:`Pile`, :class:`Options`,
:class:`SoilLayer` rows and a :class:`CptProfile`), read from and written to
the engine's files; :func:`run` runs the engine's host program ``tovek`` and
returns :class:`Results` whose tables are pandas DataFrames; ``tovek.charts``
draws them; :func:`study` runs a problem over a grid of values in parallel.

    import tovek
    problem = tovek.read_problem("examples/pipe-pile")
    results = tovek.run(problem)
    results.capacity                  # one row per printed node and method
    tovek.charts.capacity_chart(results).savefig("capacity.png")
"""

from .engine import EngineError, EngineNotFound, find_engine, run, run_folder
from .freeformat import InputFileError, ProblemError
from .methods import METHODS, Method, method
from .problem import (CLAY, SAND, SILT, AreaPoint, CptPoint, CptProfile, Options, Pile, Problem, RunFiles,
                      SoilLayer, TzFactor, read_input_file, read_problem)
from .results import PlotFileError, Results, read_results, read_run
from .study import study
from .units import ENGLISH, SI

__version__ = "1.0.0"

__all__ = [
    "AreaPoint", "CLAY", "CptPoint", "CptProfile", "ENGLISH", "EngineError", "EngineNotFound", "InputFileError",
    "METHODS", "Method", "Options", "Pile", "PlotFileError", "Problem", "ProblemError", "Results", "RunFiles", "SAND",
    "SI", "SILT", "SoilLayer", "TzFactor", "find_engine", "method", "read_input_file", "read_problem",
    "read_results", "read_run", "run", "run_folder", "study",
]


def __getattr__(name: str):
    # The charts need matplotlib: imported on first use.
    if name in ("charts", "examples"):
        import importlib

        return importlib.import_module(f".{name}", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
