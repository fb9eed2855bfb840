"""TOVEK for Python: axial capacity and load-settlement analyses of single
driven piles with the TOVEK engine.

Problems are objects (:class:`Problem` with :class:`Pile`, :class:`Options`,
:class:`SoilLayer` rows and a :class:`CptProfile`), read from and written to
the engine's files.

    import tovek
    problem = tovek.read_problem("examples/pipe-pile")
    problem.write("my-run")
"""

from .freeformat import InputFileError, ProblemError
from .methods import METHODS, Method, method
from .problem import (CLAY, SAND, SILT, AreaPoint, CptPoint, CptProfile, Options, Pile, Problem, RunFiles,
                      SoilLayer, TzFactor, read_input_file, read_problem)
from .units import ENGLISH, SI

__version__ = "1.0.0"

__all__ = [
    "AreaPoint", "CLAY", "CptPoint", "CptProfile", "ENGLISH", "InputFileError", "METHODS", "Method", "Options",
    "Pile", "Problem", "ProblemError", "RunFiles", "SAND", "SI", "SILT", "SoilLayer", "TzFactor", "method",
    "read_input_file", "read_problem",
]


def __getattr__(name: str):
    if name in ("examples",):
        import importlib

        return importlib.import_module(f".{name}", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
