"""Parameter studies: one problem run over a grid of values.

Every case is the problem with some fields set to one combination of the
values; the cases run in parallel processes over the machine's cores, each
in a folder of its own (one engine call at a time per process). The result
is one DataFrame with the capacity at the pile tip per case and method.
"""

from __future__ import annotations

import itertools
import os
import re
import tempfile
from concurrent.futures import ProcessPoolExecutor, as_completed
from pathlib import Path
from typing import Any, Iterable, Mapping

import pandas as pd

from .engine import EngineError, find_engine, run_folder
from .freeformat import ProblemError
from .problem import Problem
from .results import COLUMN_KINDS
from .units import unit

_STEP = re.compile(r"([A-Za-z_][A-Za-z_0-9]*)(?:\[(-?[0-9]+)\])?\Z")

# Short names of the fields studied most.
ALIASES = {
    "lengths": "pile.total_length",
    "diameters": "pile.outside_diameter",
}


def _resolve(problem: Problem, path: str) -> tuple[Any, str | int]:
    """The object holding the field named by a dotted path
    ("pile.total_length", "layers[2].friction_angle") and the field's key."""
    steps = path.split(".")
    target: Any = problem
    for k, step in enumerate(steps):
        match = _STEP.match(step)
        if not match:
            raise ProblemError(f'"{path}": "{step}" is not a field name')
        name, index = match.group(1), match.group(2)
        last = k == len(steps) - 1
        if not hasattr(target, name):
            raise ProblemError(f'"{path}": {type(target).__name__} has no field "{name}"')
        if last and index is None:
            return target, name
        value = getattr(target, name)
        if index is not None:
            try:
                if last:
                    value[int(index)]
                    return value, int(index)
                value = value[int(index)]
            except (IndexError, TypeError):
                raise ProblemError(f'"{path}": there is no entry {index} of {name}') from None
        target = value
    raise ProblemError(f'"{path}" names no field')


def set_field(problem: Problem, path: str, value: Any) -> None:
    """Sets one field of a problem by its dotted path. An outside diameter
    set on a pipe keeps its wall: the inside diameters follow."""
    holder, key = _resolve(problem, path)
    if path == "pile.outside_diameter":
        pile = problem.pile
        wall = pile.outside_diameter - pile.inside_diameter
        if pile.inside_diameter > 0:
            pile.inside_diameter = value - wall
        if pile.enhanced_end_inside_diameter > 0:
            pile.enhanced_end_inside_diameter = value - (pile.outside_diameter - pile.enhanced_end_inside_diameter)
    if isinstance(key, int):
        holder[key] = value
    else:
        current = getattr(holder, key)
        if isinstance(current, float) and isinstance(value, int):
            value = float(value)
        setattr(holder, key, value)


def _column(path: str) -> str:
    return path.split(".")[-1] if path.startswith(("pile.", "options.")) and "[" not in path else path


def _run_case(case: int, problem: Problem, engine: str) -> tuple[int, list[dict] | None, str | None]:
    """One case in a folder of its own; its tip rows or its error message."""
    with tempfile.TemporaryDirectory(prefix=f"tovek-case{case}-") as folder:
        try:
            problem.write(folder)
            results = run_folder(folder, engine, problem)
        except (EngineError, ProblemError) as error:
            return case, None, getattr(error, "message", None) or str(error)
    return case, results.tip_capacity().to_dict("records"), None


def study(problem: Problem, lengths: Iterable[float] | None = None, diameters: Iterable[float] | None = None, *,
          parameters: Mapping[str, Iterable[Any]] | None = None, engine: str | Path | None = None,
          jobs: int | None = None, progress: bool = True, on_error: str = "raise") -> pd.DataFrame:
    """Runs `problem` over the grid of the given values and returns the
    capacity at the pile tip per case and method.

    `lengths` are total pile lengths, `diameters` outside diameters (a pipe
    keeps its wall thickness); `parameters` maps further fields, by dotted
    path ("pile.stickup_length", "options.length_increment",
    "layers[3].friction_angle"), to their values. Cases run in `jobs`
    processes (default: one per core) with a progress bar. A case that ends
    early raises EngineError naming the case, or, with on_error="record",
    leaves its capacity empty and its message in the column `error`."""
    if on_error not in ("raise", "record"):
        raise ValueError('on_error must be "raise" or "record"')
    grid: dict[str, list[Any]] = {}
    if lengths is not None:
        grid[ALIASES["lengths"]] = list(lengths)
    if diameters is not None:
        grid[ALIASES["diameters"]] = list(diameters)
    for path, values in (parameters or {}).items():
        grid[ALIASES.get(path, path)] = list(values)
    if not grid:
        raise ValueError("give the values of at least one field to study")
    for path, values in grid.items():
        if not values:
            raise ValueError(f"no values given for {path}")
        _resolve(problem, path)

    cases: list[tuple[dict[str, Any], Problem]] = []
    for combination in itertools.product(*grid.values()):
        case = problem.copy()
        chosen = dict(zip(grid, combination))
        for path, value in chosen.items():
            set_field(case, path, value)
        try:
            case.check()
        except ProblemError as error:
            raise ProblemError(f"case {len(cases) + 1} ({_describe(chosen)}): {error}") from None
        cases.append((chosen, case))

    program = str(find_engine(engine))
    workers = max(1, min(jobs or os.cpu_count() or 1, len(cases)))
    outcomes: dict[int, tuple[list[dict] | None, str | None]] = {}
    from tqdm import tqdm

    with ProcessPoolExecutor(max_workers=workers) as pool, \
            tqdm(total=len(cases), desc="pile study", unit="run", disable=not progress) as bar:
        futures = [pool.submit(_run_case, k, case, program) for k, (_, case) in enumerate(cases, start=1)]
        try:
            for future in as_completed(futures):
                number, rows, message = future.result()
                if message is not None and on_error == "raise":
                    raise EngineError(f"case {number} ({_describe(cases[number - 1][0])}): {message}", 1)
                outcomes[number] = (rows, message)
                bar.update(1)
        except BaseException:
            for future in futures:
                future.cancel()
            raise

    records = []
    errors = False
    for number, (chosen, _) in enumerate(cases, start=1):
        rows, message = outcomes[number]
        base = {"case": number, **{_column(path): value for path, value in chosen.items()}}
        if rows is None:
            errors = True
            records.append({**base, "error": message})
            continue
        records.extend({**base, **row} for row in rows)
    frame = pd.DataFrame.from_records(records)
    if errors and "method" not in frame:
        frame["method"] = None
    units = problem.units()
    frame.attrs["units"] = {_column(path): units.get(re.sub(r"\[-?[0-9]+\]", "", path), "") for path in grid}
    for name in ("position", "skin_friction", "end_bearing", "ultimate_capacity", "unit_side_friction"):
        frame.attrs["units"][name] = unit(COLUMN_KINDS[name], problem.unit_system)
    return frame


def _describe(chosen: Mapping[str, Any]) -> str:
    return ", ".join(f"{_column(path)} = {value}" for path, value in chosen.items())
