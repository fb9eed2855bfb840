"""The results of a run: the plot data file read block by block into
DataFrames, with the report text.

The plot data file holds, in order: a header line (number of capacity
blocks, rows per block, unit system, load-transfer method); one capacity
block per capacity table of the report; the listed layer t-z curves; the
tip curve; the number of assumed tip movements; one load distribution along
the pile per assumed movement; the load-settlement curve; and, when t-z
print depths were given, the verification t-z curves. Every count a reader
needs stands in an earlier line. Numbers stand in fixed columns; a field of
asterisks (a value too wide for its field) carries no value and reads as
NaN.
"""

from __future__ import annotations

import math
import re
from dataclasses import dataclass
from pathlib import Path

import pandas as pd

from .freeformat import read_text_file, split_lines
from .methods import METHODS, Method, method as find_method, methods_in_report
from .units import unit

# Fixed-column layouts of the rows: (start, end) of every field.
CAPACITY_ROW = ((0, 9), (9, 19), (19, 29), (29, 40), (40, 51))       # 2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3
CURVE_ROW = ((0, 13), (13, 24), (24, 40))                             # 8X,I5,I11,E16.4
POINT_ROW = ((0, 57), (57, 73))                                       # 40X,E17.4,E16.4
TIP_ROW = ((0, 18), (18, 37))                                         # E18.4,E19.4
DISTRIBUTION_ROW = ((0, 13), (13, 26), (26, 39))                      # 3X,E10.3,3X,E10.3,3X,E10.3
LOAD_SETTLEMENT_ROW = ((0, 17), (17, 33), (33, 49), (49, 65))         # E17.4,3E16.4

TIP_CURVE_POINTS = 10

# Kinds of unit of every result column (see units.KINDS).
COLUMN_KINDS = {
    "position": "length",
    "skin_friction": "force",
    "end_bearing": "force",
    "ultimate_capacity": "force",
    "unit_side_friction": "stress",
    "depth": "length",
    "load_transfer": "curve_stress",
    "movement": "movement",
    "tip_load": "force",
    "tip_movement": "movement",
    "distance": "length",
    "load": "force",
    "top_load": "force",
    "top_movement": "movement",
}

_THREE_DIGIT_EXPONENT = re.compile(r"([0-9.])([+-][0-9]{3})\Z")


class PlotFileError(ValueError):
    """A plot data file that does not hold the blocks a run writes."""


def parse_field(text: str) -> float:
    """One fixed-column number: Fw.d, Ew.d (also with the leading zero left
    out or with a three-digit exponent written without the E), Iw; a field
    of asterisks, or an empty one, is NaN."""
    item = text.strip()
    if not item or set(item) == {"*"}:
        return math.nan
    words = {"NaN": math.nan, "Inf": math.inf, "Infinity": math.inf, "-Inf": -math.inf, "-Infinity": -math.inf}
    if item in words:
        return words[item]
    if "E" not in item and "e" not in item:
        item = _THREE_DIGIT_EXPONENT.sub(r"\1E\2", item)
    return float(item)


@dataclass
class PlotHeader:
    block_count: int
    row_count: int
    unit_system: int
    load_transfer_method: int


class _Lines:
    def __init__(self, lines: list[str], name: str):
        self.lines = lines
        self.name = name
        self.next = 0

    def take(self, what: str) -> str:
        if self.next >= len(self.lines):
            raise PlotFileError(f"{self.name}: the file ends at line {len(self.lines)}; expected {what}")
        line = self.lines[self.next]
        self.next += 1
        return line

    def integers(self, count: int, what: str) -> list[int]:
        number = self.next + 1
        line = self.take(what)
        items = line.split()
        try:
            values = [int(item) for item in items]
        except ValueError:
            values = []
        if len(values) != count:
            raise PlotFileError(f"{self.name}, line {number}: expected {what} ({count} whole number"
                                f"{'s' if count > 1 else ''}), found {line.strip()!r}")
        return values

    def row(self, layout: tuple[tuple[int, int], ...], what: str) -> list[float]:
        number = self.next + 1
        line = self.take(what).rstrip()
        if len(line) > layout[-1][1] or len(line) <= layout[-1][0]:
            raise PlotFileError(f"{self.name}, line {number}: expected {what} of {layout[-1][1]} columns, "
                                f"found {line!r}")
        try:
            return [parse_field(line[start:end]) for start, end in layout]
        except ValueError:
            raise PlotFileError(f"{self.name}, line {number}: expected {what}, found {line!r}") from None


def _frame(rows: list[list], columns: list[str], units: dict[str, str]) -> pd.DataFrame:
    frame = pd.DataFrame(rows, columns=columns)
    for name in columns:
        if name in COLUMN_KINDS:
            frame[name] = frame[name].astype(float)
    frame.attrs["units"] = {name: units[name] for name in columns if name in units}
    return frame


def _generic_methods(count: int) -> list[str]:
    return [f"block {k}" for k in range(1, count + 1)]


class Results:
    """The results of one run.

    Attributes: `capacity`, `tz_curves`, `tip_curve`, `distributions`,
    `load_settlement`, `verification_curves` (DataFrames), `units` (the unit
    of every column), `header` (counts and codes of the file's first line),
    `methods` (the names of the capacity blocks, in file order), `report`
    (the report text, when known), `problem` (when known), `folder` and
    `plot_file` (when the files were kept).
    """

    def __init__(self, plot_text: str, *, methods: list[str] | None = None, report: str | None = None,
                 problem=None, name: str = "plot data file", folder: Path | None = None,
                 plot_file: Path | None = None):
        self.report = report
        self.problem = problem
        self.folder = folder
        self.plot_file = plot_file
        lines = _Lines(split_lines(plot_text), name)
        blocks, rows, unit_system, transfer = lines.integers(4, "the header (block count, row count, unit system, "
                                                                "load-transfer method)")
        self.header = PlotHeader(blocks, rows, unit_system, transfer)
        self.unit_system = unit_system
        self.units = {name: unit(kind, unit_system) for name, kind in COLUMN_KINDS.items()}
        self.methods = self._method_names(blocks, methods, report, problem)

        capacity = []
        for name in self.methods:
            for _ in range(rows):
                capacity.append([name] + lines.row(CAPACITY_ROW, f"a capacity row of {name}"))
        self.capacity = _frame(capacity, ["method", "position", "skin_friction", "end_bearing",
                                          "ultimate_capacity", "unit_side_friction"], self.units)

        (curve_count,) = lines.integers(1, "the number of layer t-z curves")
        self.tz_curves = self._curves(lines, curve_count, "layer t-z curve")

        tip = [[k] + lines.row(TIP_ROW, "a tip curve row") for k in range(1, TIP_CURVE_POINTS + 1)]
        self.tip_curve = _frame(tip, ["point", "tip_load", "tip_movement"], self.units)

        (movement_count,) = lines.integers(1, "the number of assumed tip movements")
        distribution = []
        for case in range(1, movement_count + 1):
            for _ in range(rows):
                distribution.append([case] + lines.row(DISTRIBUTION_ROW, "a load-distribution row"))
        settlement = [lines.row(LOAD_SETTLEMENT_ROW, "a load-settlement row") for _ in range(movement_count)]
        self.load_settlement = _frame(settlement, ["top_load", "top_movement", "tip_load", "tip_movement"],
                                      self.units)
        tip_movements = [row[3] for row in settlement]
        self.distributions = _frame([[row[0], tip_movements[row[0] - 1]] + row[1:] for row in distribution],
                                    ["case", "tip_movement", "distance", "load", "movement"], self.units)

        if lines.next < len(lines.lines) and lines.lines[lines.next].strip():
            (valid,) = lines.integers(1, "the number of verification t-z curves")
            self.verification_curves = self._curves(lines, valid, "verification t-z curve")
        else:
            self.verification_curves = self._curves(lines, 0, "")
        rest = [k + 1 for k in range(lines.next, len(lines.lines)) if lines.lines[k].strip()]
        if rest:
            raise PlotFileError(f"{name}, line {rest[0]}: unexpected line after the last block")

    def _method_names(self, blocks: int, methods, report, problem) -> list[str]:
        """The names of the capacity blocks: as given; else from the titles
        of the report's tables; else from the problem's selections; else
        numbered."""
        if methods is not None:
            names = [m.name if isinstance(m, Method) else _method_name(m) for m in methods]
            if len(names) != blocks:
                raise PlotFileError(f"{len(names)} method names given for {blocks} capacity blocks")
            return names
        if report:
            found = methods_in_report(report)
            if len(found) == blocks:
                return [m.name for m in found]
        if problem is not None:
            selected = problem.tabulated_methods()
            if len(selected) == blocks:
                return [m.name for m in selected]
        return _generic_methods(blocks)

    def _curves(self, lines: _Lines, count: int, what: str) -> pd.DataFrame:
        rows = []
        for _ in range(count):
            number, points, depth = lines.row(CURVE_ROW, f"the first row of a {what}")
            for k in range(1, int(points) + 1):
                rows.append([int(number), depth, k] + lines.row(POINT_ROW, f"a point of {what} {int(number)}"))
        return _frame(rows, ["curve", "depth", "point", "load_transfer", "movement"], self.units)

    # -- conveniences -------------------------------------------------------

    @property
    def position_is_elevation(self) -> bool:
        """Whether the capacity positions are elevations (elevation output)
        rather than pile penetrations."""
        if self.problem is not None:
            return self.problem.options.elevation_output == 1
        first = self.capacity.groupby("method", sort=False)["position"].agg(["first", "last"])
        return bool(len(first)) and bool((first["last"] < first["first"]).all())

    def tip_capacity(self) -> pd.DataFrame:
        """The capacity at the pile tip (the last printed node) per method."""
        frame = self.capacity.groupby("method", sort=False).tail(1).reset_index(drop=True)
        frame.attrs["units"] = dict(self.capacity.attrs["units"])
        return frame

    def method_frame(self, name: str) -> pd.DataFrame:
        """The capacity rows of one method, by name or key."""
        wanted = name if name in self.methods else _method_name(name)
        frame = self.capacity[self.capacity["method"] == wanted].reset_index(drop=True)
        frame.attrs["units"] = dict(self.capacity.attrs["units"])
        return frame

    def __repr__(self) -> str:
        return (f"Results({len(self.methods)} capacity blocks {self.methods}, {self.header.row_count} rows each, "
                f"{len(self.load_settlement)} load-settlement points, unit system {self.unit_system})")


def _method_name(name) -> str:
    return find_method(name).name


def read_results(plot_file: str | Path, *, methods: list | None = None, report_file: str | Path | None = None,
                 problem=None) -> Results:
    """Reads a plot data file. The capacity blocks are named after `methods`
    when given (names, keys or Method objects in file order), else after the
    table titles of the report in `report_file`, else after the selections
    of `problem`, else numbered "block 1", "block 2", ..."""
    path = Path(plot_file)
    report = read_text_file(Path(report_file)) if report_file is not None else None
    return Results(read_text_file(path), methods=methods, report=report, problem=problem, name=path.name,
                   folder=path.parent, plot_file=path)





def read_run(folder: str | Path) -> Results:
    """Reads the results a run left in its folder: the plot data file and
    the report named in names.dat, with the problem when its files read."""
    from .problem import read_problem, read_run_control

    base = Path(folder)
    files = read_run_control(base)
    plot_path = base / files.plot_file
    if not plot_path.is_file() or not plot_path.stat().st_size:
        raise PlotFileError(f"{plot_path}: no plot data file; run the analysis in {base} first")
    report_path = base / files.output_file
    report = read_text_file(report_path) if report_path.is_file() else None
    try:
        problem = read_problem(base)
    except ValueError:
        problem = None
    return Results(read_text_file(plot_path), report=report, problem=problem, name=files.plot_file, folder=base,
                   plot_file=plot_path)
