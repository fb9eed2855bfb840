"""The problem of one run as Python objects, read from and written to the
engine's files.

A :class:`Problem` holds the pile (:class:`Pile`), the options
(:class:`Options`), the soil rows (:class:`SoilLayer`), the CPT profile
(:class:`CptProfile`) and the names of the files of a run (:class:`RunFiles`).
Every number is held as the input data file carries it, in the file's units
(``Problem.units()`` names them): diameters in inches or millimetres, lengths
in feet or metres, soil strengths in psf or kPa.

``read_problem(folder)`` reads names.dat, the input data file and the CPT
data file exactly as the engine reads them; ``Problem.write(folder)`` writes
them so that the engine reads back the same values. ``Problem.check()``
refuses, before anything runs, every value and count that the engine's
readers would refuse, naming the field and the row.
"""

from __future__ import annotations

import copy
import dataclasses
import math
import numbers
import struct
from dataclasses import dataclass, field, fields
from pathlib import Path, PureWindowsPath
from typing import Any

from .freeformat import (INT32_MAX, INT32_MIN, FreeFormatReader, InputFileError, ProblemError, read_text_file,
                         values_on_line)
from .methods import METHODS, Method, method, tabulated_methods
from .units import ENGLISH, SI, unit

RUN_CONTROL_FILE = "names.dat"

# Limits of the input (the engine refuses files that exceed them).
MAX_LAYERS = 80
MAX_PILE_LINE_VALUES = 50
PILE_LINE_LENGTH = 1000
TITLE_LENGTH = 72
VERSION_LENGTH = 12
FILE_NAME_LENGTH = 255
MAX_AREA_POINTS = 100
MAX_TZ_PRINT_DEPTHS = 100
MAX_TZ_FACTOR_ROWS = 100
MAX_MOVEMENTS = 21
MAX_CPT_POINTS = 1000

# Soil type codes of a soil row.
SAND = 1.0
CLAY = 2.0
SILT = 3.0

# Pile type codes.
PILE_TYPES = {
    1: "Steel pipe pile or non-tapered portion of monotube pile",
    2: "Timber pile",
    3: "Precast concrete pile",
    4: "Raymond step-taper pile",
    5: "Raymond uniform taper pile",
    6: "H-pile / steel pile",
    7: "Tapered portion of monotube pile",
}


def _single(value: float) -> float:
    """A single-precision constant, as the engine compares with it."""
    return struct.unpack("f", struct.pack("f", value))[0]


_ZERO_PERIMETER = _single(1.0e-10)
_NO_ENHANCED_END = _single(0.00001)


def _f(kind: str, default: Any = 0.0, doc: str = "") -> Any:
    """A field with the kind of its unit (see units.KINDS)."""
    if isinstance(default, list):
        return field(default_factory=list, metadata={"kind": kind, "doc": doc})
    return field(default=default, metadata={"kind": kind, "doc": doc})


@dataclass
class AreaPoint:
    """One point of the cross-section area table (record 14)."""

    distance: float = _f("length", doc="distance along the pile from the head")
    area: float = _f("area", doc="cross-section area at that distance")


@dataclass
class Pile:
    """Pile geometry and stiffness (records 4 to 7, 9 and 14)."""

    outside_diameter: float = _f("diameter", doc="outside diameter, OD")
    inside_diameter: float = _f("diameter", doc="internal diameter, ID (0 for a solid pile)")
    elastic_modulus: float = _f("modulus", doc="modulus of elasticity")
    total_length: float = _f("length", doc="total pile length, TL")
    stickup_length: float = _f("length", doc="pile stickup length above the ground, PSL")
    perimeter: float = _f("diameter", doc="perimeter of a non-circular pile; 0 for a circular pile")
    tip_area: float = _f("area", doc="tip area of a non-circular pile")
    tip_closure: int = _f("code", 0, "0 open-ended, 1 closed-ended")
    pile_type: int = _f("code", 1, "1 steel pipe, 2 timber, 3 precast concrete, 4 Raymond step-taper, "
                                   "5 Raymond uniform taper, 6 H-pile, 7 tapered monotube")
    enhanced_end_length: float = _f("length", doc="length of the enhanced end section at the tip (0: none)")
    enhanced_end_inside_diameter: float = _f("diameter", doc="internal diameter of the enhanced end section")
    batter_angle: float = _f("angle", doc="batter angle from the vertical")
    zero_friction_length: float = _f("length", doc="zero friction length from the head, ZFL")
    taper_angle: float = _f("angle", doc="angle of taper of a tapered pile")
    cross_section_area: float = _f("area", doc="cross-section area for the axial stiffness (area option 1)")
    area_option: int = _f("code", 0, "0 area from the geometry, 1 the cross-section area given, "
                                     "2 or more the area table")
    area_points: list[AreaPoint] = _f("table", [], "cross-section area table along the pile")

    @property
    def embedded_length(self) -> float:
        return self.total_length - self.stickup_length

    @property
    def circular(self) -> bool:
        """Circular piles take their size from the diameters; a perimeter
        makes the pile non-circular."""
        return not self.perimeter > _ZERO_PERIMETER


@dataclass
class TzFactor:
    """One row of the t-z factor table (record 16): at `depth` the load
    transfer of the generated t-z curves is multiplied by `a` and their
    movement by `b`."""

    depth: float = _f("length")
    a: float = _f("ratio", 1.0)
    b: float = _f("ratio", 1.0)


@dataclass
class Options:
    """Analysis options and method selections (records 5, 7, 8, 11 to 13
    and 15 to 18).

    The four optional blocks (t-z print depths, t-z factor table, movement
    list, tip curve multipliers) have an option that says whether the block
    follows in the file. Left at None it follows the data: 1 when the block
    has values, else 0."""

    length_increment: float = _f("length", 1.0, "increment of pile length used in computation")
    load_transfer_method: int = _f("code", 4, "method of the unit load transfers for the load-settlement "
                                              "curve, numbered like the flags (4 API RP-2A, 5 user-specified)")
    capacity_methods: list[int] = field(
        default_factory=lambda: [0, 0, 0, 1, 0, 0, 0, 0, 0],
        metadata={"kind": "code", "doc": "nine flags, 1 = selected: FHWA, USACE, Revised Lambda, API RP-2A, "
                                         "user-specified, NGI, ICP/MTD, Fugro, UWA"})
    elevation_output: int = _f("code", 0, "1: depths of the results told as elevations from the ground "
                                          "elevation")
    ground_elevation: float = _f("length", doc="elevation of the ground surface")
    tip_averaging: int = _f("code", 1, "averaging of tip resistance: 0 none, 1 over 1.5 diameters, "
                                       "2 over 3.0 diameters")
    cpt_data_option: int = _f("code", 0, "1: CPT data are present (enables the cone methods)")
    side_friction_reduction: int = _f("code", 0, "1: reduced unit side friction and resistance")
    loading_type: int = _f("code", 0, "1 tension, otherwise compression")
    tension_reduction_factor: float = _f("ratio", 1.0, "reduction factor for tension loading")
    clay_drainage: int = _f("code", 0, "ICP/MTD in clay: 1 drained, otherwise undrained")
    plug_option: int = _f("code", 0, "0 plug decided by the engine, 1 plugged, 2 unplugged")
    long_pile_option: int = _f("code", 0, "1: USACE long-pile option")
    critical_depth_option: int = _f("code", 0, "USACE critical depth in sand: 0 by density, 1 at 3.5 ksf "
                                               "(167.58 kPa) effective stress, 2 at the critical depth")
    critical_depth: float = _f("length", doc="user critical depth for critical depth option 2")
    tz_print_option: int | None = _f("code", None, "1: t-z print depths follow (None: when any are given)")
    tz_print_depths: list[float] = _f("length", [], "depths at which generated t-z curves are listed")
    tz_factor_option: int | None = _f("code", None, "1: the t-z factor table follows (None: when it has rows)")
    tz_factors: list[TzFactor] = _f("table", [], "t-z factor table (two rows or more)")
    movement_list_option: int | None = _f("code", None, "1: the movement list follows (None: when it has values)")
    movement_list: list[float] = _f("movement", [], "assumed tip movements replacing the built-in list")
    tip_curve_scale_option: int | None = _f("code", None, "1: the tip curve multipliers follow "
                                                          "(None: when either is not 0)")
    tip_curve_scale_a: float = _f("ratio", doc="multiplier of the tip loads")
    tip_curve_scale_b: float = _f("ratio", doc="multiplier of the tip movements")

    def select_methods(self, *names: str | int) -> "Options":
        """Selects exactly the named capacity methods ("api", "user",
        "FHWA", 4, ...)."""
        flags = [0] * 9
        for name in names:
            flags[method(name).flag - 1] = 1
        self.capacity_methods = flags
        return self

    def selected_methods(self) -> list[Method]:
        """The methods whose flag is 1, in the order of the report tables."""
        return [m for m in METHODS if len(self.capacity_methods) >= m.flag
                and self.capacity_methods[m.flag - 1] == 1]

    def block_options(self) -> dict[str, int]:
        """The four block options as the file carries them."""
        def chosen(option: int | None, given: bool) -> int:
            return option if option is not None else (1 if given else 0)
        return {
            "tz_print_option": chosen(self.tz_print_option, bool(self.tz_print_depths)),
            "tz_factor_option": chosen(self.tz_factor_option, bool(self.tz_factors)),
            "movement_list_option": chosen(self.movement_list_option, bool(self.movement_list)),
            "tip_curve_scale_option": chosen(self.tip_curve_scale_option,
                                             self.tip_curve_scale_a != 0 or self.tip_curve_scale_b != 0),
        }


@dataclass
class SoilLayer:
    """One row of the soil table (record 10): the properties at `depth`;
    between two rows they vary linearly with depth.

    In a SAND row the file carries the blow count in the remolded shear
    strength column (the engine moves it to the blow count)."""

    depth: float = _f("length", doc="depth of the row below the ground surface")
    soil_type: float = _f("code", 1.0, "1 SAND, 2 CLAY, 3 SILT")
    lateral_earth_pressure: float = _f("ratio", doc="lateral earth pressure coefficient K (0: assumed)")
    effective_unit_weight: float = _f("unit_weight", doc="effective unit weight")
    friction_angle: float = _f("angle", doc="friction angle")
    bearing_capacity_factor: float = _f("ratio", doc="bearing capacity factor Nq (0: from the friction angle)")
    max_unit_friction: float = _f("soil_stress", doc="limit on unit side friction (0: no limit of the row)")
    max_unit_bearing: float = _f("soil_stress", doc="limit on unit end bearing (0: no limit of the row)")
    undrained_shear_strength: float = _f("soil_stress", doc="undisturbed shear strength")
    remolded_shear_strength: float = _f("soil_stress", doc="remolded shear strength; blow count in a SAND row")
    blow_count: float = _f("blows", doc="blow count (printed as the yield stress ratio in the CPT table)")
    plasticity_index: float = _f("percent", doc="plasticity index")
    cone_tip_resistance: float = _f("soil_stress", doc="cone tip resistance Qc")
    user_unit_skin_friction: float = _f("soil_stress", doc="unit skin friction of the user-specified method")
    user_unit_end_bearing: float = _f("soil_stress", doc="unit end bearing of the user-specified method")
    lrfd_friction_factor: float = _f("ratio", 1.0, "LRFD factor on unit friction")
    lrfd_bearing_factor: float = _f("ratio", 1.0, "LRFD factor on unit bearing")
    layer_curve_code: float = _f("ratio", doc="FHWA clay case number / USACE tip reference movement (0: default)")
    peak_movement: float = _f("diameter", doc="Z PEAK, movement at peak side resistance (0: 0.01 OD)")
    residual_factor: float = _f("ratio", doc="T RESIDUAL, residual side resistance ratio")


SOIL_COLUMNS = [f.name for f in fields(SoilLayer)]


@dataclass
class CptPoint:
    depth: float = _f("length")
    tip_resistance: float = _f("soil_stress", doc="cone tip resistance")


@dataclass
class CptProfile:
    """The CPT data file: a leading whole number (read and not used by the
    engine) and the depth and cone tip resistance pairs."""

    points: list[CptPoint] = _f("table", [])
    leading_value: int = _f("count", 0, "the first whole number of the file, not used")


@dataclass
class RunFiles:
    """The run-control file names.dat: version text, three records read past,
    and the names of the four files of a run (relative to the folder)."""

    input_file: str = _f("text", "problem.in")
    output_file: str = _f("text", "problem.out", "the report file")
    plot_file: str = _f("text", "problem.plt", "the plot data file")
    cpt_file: str = _f("text", "problem.cpt", "the CPT data file; empty for a run without one")
    version_text: str = _f("text", "1.0", "printed in the banner of the report")
    record_2: str = _f("text", "", "read past by the engine")
    record_3: str = _f("text", "", "read past by the engine")
    record_4: int = _f("count", 1, "read past by the engine")


@dataclass
class Problem:
    """One pile in one soil profile: everything a run reads."""

    pile: Pile = field(default_factory=Pile)
    layers: list[SoilLayer] = field(default_factory=list, metadata={"kind": "table"})
    options: Options = field(default_factory=Options)
    soil_profile_bottom: float = _f("length", doc="depth of the deepest soil profile")
    unit_system: int = _f("code", ENGLISH, "1 English units, 2 SI units")
    print_increment: int = _f("count", 1, "every how many computation rows a result row is printed")
    project_description: str = _f("text", "")
    designer_name: str = _f("text", "")
    job_number: str = _f("text", "")
    cpt: CptProfile = field(default_factory=CptProfile)
    files: RunFiles = field(default_factory=RunFiles)

    @property
    def layer_count(self) -> int:
        return len(self.layers)

    def copy(self) -> "Problem":
        return copy.deepcopy(self)

    def tabulated_methods(self) -> list[Method]:
        """The methods whose capacity tables the run writes, in their order."""
        return tabulated_methods(self.options.capacity_methods, self.options.cpt_data_option)

    def units(self) -> dict[str, str]:
        """The file unit of every numeric field, by dotted name
        ("pile.outside_diameter", "layers.depth", "cpt.tip_resistance")."""
        result: dict[str, str] = {}

        def walk(cls: type, prefix: str) -> None:
            for f in fields(cls):
                kind = f.metadata.get("kind")
                if kind in (None, "text", "table"):
                    continue
                result[prefix + f.name] = unit(kind, self.unit_system)

        walk(Problem, "")
        walk(Pile, "pile.")
        walk(AreaPoint, "pile.area_points.")
        walk(Options, "options.")
        walk(TzFactor, "options.tz_factors.")
        walk(SoilLayer, "layers.")
        walk(CptPoint, "cpt.points.")
        return result

    def layers_frame(self):
        """The soil table as a DataFrame, one row per soil row, with the
        file unit of every column in ``attrs["units"]``."""
        import pandas as pd

        frame = pd.DataFrame([dataclasses.astuple(row) for row in self.layers], columns=SOIL_COLUMNS)
        frame.index = pd.RangeIndex(1, len(frame) + 1, name="row")
        frame.attrs["units"] = {f.name: unit(f.metadata["kind"], self.unit_system) for f in fields(SoilLayer)}
        return frame

    def set_layers(self, rows) -> "Problem":
        """Replaces the soil rows by those of a DataFrame (or a list of
        mappings) with columns named like the fields of SoilLayer; missing
        columns take their defaults."""
        records = rows.to_dict("records") if hasattr(rows, "to_dict") else list(rows)
        layers = []
        for k, record in enumerate(records, start=1):
            unknown = set(record) - set(SOIL_COLUMNS)
            if unknown:
                raise ProblemError(f"soil row {k}: unknown column(s) {', '.join(sorted(unknown))}")
            layers.append(SoilLayer(**{name: float(value) for name, value in record.items()}))
        self.layers = layers
        return self

    def check(self) -> None:
        """Raises ProblemError for the first value or count that the engine
        would refuse."""
        _check(self)

    def input_text(self) -> str:
        """The input data file as the engine reads it."""
        self.check()
        return _input_text(self)

    def cpt_text(self) -> str:
        self.check()
        return _cpt_text(self)

    def names_text(self) -> str:
        self.check()
        return _names_text(self)

    def write(self, folder: str | Path) -> Path:
        """Writes names.dat, the input data file and the CPT data file into
        `folder` (made when missing). File names given with a folder are
        written under their base name, so that the folder holds the run."""
        problem = self.in_one_folder()
        target = Path(folder)
        target.mkdir(parents=True, exist_ok=True)
        (target / RUN_CONTROL_FILE).write_bytes(_names_text(problem).encode("latin-1"))
        (target / problem.files.input_file).write_bytes(_input_text(problem).encode("latin-1"))
        if problem.files.cpt_file:
            (target / problem.files.cpt_file).write_bytes(_cpt_text(problem).encode("latin-1"))
        return target

    def in_one_folder(self) -> "Problem":
        """A checked copy whose file names are base names, as write() writes
        them."""
        self.check()
        problem = self.copy()
        for name in ("input_file", "output_file", "plot_file", "cpt_file"):
            setattr(problem.files, name, _base_name(getattr(problem.files, name)))
        problem.check()
        return problem


def _base_name(name: str) -> str:
    """The base name of a file name given with a folder (Windows or POSIX
    spelling); a bare name as it stands."""
    return PureWindowsPath(name).name if ("/" in name or "\\" in name) else name


# ---------------------------------------------------------------------------
# Reading


def _truncated(value: float) -> int:
    """A real written where a whole number is meant, truncated toward zero
    and held inside the 32-bit range."""
    if not value > INT32_MIN:
        return INT32_MIN
    if not value < INT32_MAX:
        return INT32_MAX
    return int(value)


def _row_count(reader: FreeFormatReader, values, index: int, count: int, limit: int, what: str) -> int:
    if count > limit:
        raise InputFileError(reader.file_name, values.line(index),
                             f"{what} is {count}; at most {limit} are allowed")
    return max(count, 0)


def _block_option(reader: FreeFormatReader, values, what: str) -> int:
    option = values.integer(1, what)
    if option not in (0, 1):
        raise InputFileError(reader.file_name, values.line(1),
                             f"{what} must be 0 (no data follow) or 1 (data follow), found {option}")
    return option


def read_run_control(folder: str | Path) -> RunFiles:
    """Reads names.dat in `folder`."""
    path = Path(folder) / RUN_CONTROL_FILE
    if not path.is_file():
        raise InputFileError(RUN_CONTROL_FILE, 0, f"the run-control file is missing from the folder {folder}")
    reader = FreeFormatReader.open(path, RUN_CONTROL_FILE)
    early = " (the run-control file must hold the version text, three records and the four file names)"
    files = RunFiles()
    files.version_text = reader.text(VERSION_LENGTH, "the version text (record 1)" + early)
    files.record_2 = reader.text(256, "record 2" + early)
    files.record_3 = reader.text(256, "record 3" + early)
    files.record_4 = reader.read_integer("the whole number of record 4" + early)
    names = []
    for _ in range(4):
        line = reader.text_line()
        if line is None:
            raise InputFileError(
                RUN_CONTROL_FILE, reader.next_line_number,
                "the file ends before the four file names (input data, report, plot data and CPT data "
                "file); the engine would ask for them on the console")
        names.append(line[:FILE_NAME_LENGTH].strip(" \t\r"))
    files.input_file, files.output_file, files.plot_file, files.cpt_file = names
    return files


def _read_pile_line(problem: Problem, reader: FreeFormatReader) -> None:
    number = reader.next_line_number
    if reader.at_end():
        raise InputFileError(reader.file_name, number, "the file ends here; expected the pile line (record 5)")
    line = reader.text_line()[:PILE_LINE_LENGTH]
    found = values_on_line(line, MAX_PILE_LINE_VALUES)
    if found.stopped_at_empty_value:
        raise InputFileError(reader.file_name, number,
                             "an empty value between commas on the pile line (record 5); every value must be given")
    values = found.values
    n = len(values)
    if n < 7:
        stop = ""
        if found.stopped_at_item:
            item = found.stopped_at_item if len(found.stopped_at_item) <= 40 else found.stopped_at_item[:40] + "..."
            stop = f', then "{item}", which is not a number in range'
        raise InputFileError(reader.file_name, number,
                             f"the pile line (record 5) holds {n} values{stop}; at least 7 are needed (perimeter, "
                             "tip area, outside diameter, inside diameter, modulus of elasticity, total length, "
                             "stickup length)")
    pile, options = problem.pile, problem.options
    (pile.perimeter, pile.tip_area, pile.outside_diameter, pile.inside_diameter, pile.elastic_modulus,
     pile.total_length, pile.stickup_length) = values[:7]
    options.elevation_output = _truncated(values[7]) if n >= 8 else 0
    options.ground_elevation = values[8] if n >= 9 else 0.0
    # The tip averaging code is taken only from a line of exactly 10 values.
    options.tip_averaging = _truncated(values[9]) if n == 10 else 1


def _read_input(problem: Problem, reader: FreeFormatReader) -> None:
    pile, o = problem.pile, problem.options
    problem.project_description = reader.text(TITLE_LENGTH, "the project description (record 1)")
    problem.designer_name = reader.text(TITLE_LENGTH, "the designer name (record 2)")
    problem.job_number = reader.text(TITLE_LENGTH, "the job number (record 3)")

    r = reader.read(4, "record 4 (unit system, printing increment, number of soil rows, tip closure)")
    problem.unit_system = r.integer(1, "the unit system")
    problem.print_increment = r.integer(2, "the printing increment")
    layer_count = r.integer(3, "the number of soil rows")
    if layer_count < 1 or layer_count > MAX_LAYERS:
        raise InputFileError(reader.file_name, r.line(3),
                             f"the number of soil rows is {layer_count}; it must be 1 to {MAX_LAYERS}")
    pile.tip_closure = r.integer(4, "the tip closure")

    _read_pile_line(problem, reader)

    r = reader.read(3, "record 6 (enhanced end length, its inside diameter, batter angle)")
    pile.enhanced_end_length = r.real(1, "the length of the enhanced end section")
    pile.enhanced_end_inside_diameter = r.real(2, "the inside diameter of the enhanced end section")
    pile.batter_angle = r.real(3, "the batter angle")

    r = reader.read(7, "record 7 (zero friction length, length increment, pile type, taper angle, "
                       "load-transfer method, CPT data option, side friction reduction)")
    pile.zero_friction_length = r.real(1, "the zero friction length")
    o.length_increment = r.real(2, "the increment of pile length")
    pile.pile_type = r.integer(3, "the pile type")
    pile.taper_angle = r.real(4, "the taper angle")
    o.load_transfer_method = r.integer(5, "the load-transfer method")
    o.cpt_data_option = r.integer(6, "the CPT data option")
    o.side_friction_reduction = r.integer(7, "the side friction reduction option")

    r = reader.read(9, "record 8 (the nine capacity method selections)")
    o.capacity_methods = [r.integer(k, f"capacity method {k}") for k in range(1, 10)]

    r = reader.read(2, "record 9 (deepest soil profile, cross-section area)")
    problem.soil_profile_bottom = r.real(1, "the depth of the deepest soil profile")
    pile.cross_section_area = r.real(2, "the cross-section area")

    problem.layers = []
    for i in range(1, layer_count + 1):
        first = reader.read(6, f"soil row {i}, depth and columns 1 to 5 (record 10)")
        second = reader.read(14, f"soil row {i}, columns 6 to 19 (record 10)")
        values = [first.real(k, SOIL_COLUMNS[k - 1].replace("_", " ")) for k in range(1, 7)]
        values += [second.real(k, SOIL_COLUMNS[k + 5].replace("_", " ")) for k in range(1, 15)]
        problem.layers.append(SoilLayer(*values))

    r = reader.read(1, "record 11 (t-z print option)")
    o.tz_print_option = _block_option(reader, r, "the t-z print option")
    o.tz_print_depths = []
    if o.tz_print_option == 1:
        c = reader.read(1, "the number of t-z print depths (record 11)")
        count = _row_count(reader, c, 1, c.integer(1, "the number of t-z print depths"), MAX_TZ_PRINT_DEPTHS,
                           "the number of t-z print depths")
        o.tz_print_depths = [reader.read_real(f"t-z print depth {k} (record 11)") for k in range(1, count + 1)]

    r = reader.read(2, "record 12 (loading type, tension reduction factor)")
    o.loading_type = r.integer(1, "the loading type")
    o.tension_reduction_factor = r.real(2, "the reduction factor for tension loading")

    r = reader.read(3, "record 13 (clay drainage, plug option, long pile option)")
    o.clay_drainage = r.integer(1, "the clay drainage option")
    o.plug_option = r.integer(2, "the plug option")
    o.long_pile_option = r.integer(3, "the long pile option")

    r = reader.read(2, "record 14 (number of area points, area option)")
    count = _row_count(reader, r, 1, r.integer(1, "the number of area points"), MAX_AREA_POINTS,
                       "the number of points of the cross-section area table")
    pile.area_option = r.integer(2, "the area option")
    pile.area_points = []
    for k in range(1, count + 1):
        a = reader.read(2, f"area point {k} (record 14)")
        pile.area_points.append(AreaPoint(a.real(1, "the distance"), a.real(2, "the area")))

    r = reader.read(2, "record 15 (critical depth option, critical depth)")
    o.critical_depth_option = r.integer(1, "the critical depth option")
    o.critical_depth = r.real(2, "the critical depth")

    r = reader.read(1, "record 16 (t-z factor option)")
    o.tz_factor_option = _block_option(reader, r, "the t-z factor option")
    o.tz_factors = []
    if o.tz_factor_option == 1:
        c = reader.read(1, "the number of t-z factor rows (record 16)")
        count = _row_count(reader, c, 1, c.integer(1, "the number of t-z factor rows"), MAX_TZ_FACTOR_ROWS,
                           "the number of t-z factor rows")
        # The rows follow only for a count above 1: a count of 1 is followed
        # directly by record 17, and the curves are used as generated.
        if count > 1:
            for k in range(1, count + 1):
                f = reader.read(3, f"t-z factor row {k} (record 16)")
                o.tz_factors.append(TzFactor(f.real(1, "the depth"), f.real(2, "the load-transfer factor"),
                                             f.real(3, "the movement factor")))

    r = reader.read(1, "record 17 (movement list option)")
    o.movement_list_option = _block_option(reader, r, "the movement list option")
    o.movement_list = []
    if o.movement_list_option == 1:
        c = reader.read(1, "the number of movements (record 17)")
        count = _row_count(reader, c, 1, c.integer(1, "the number of movements"), MAX_MOVEMENTS,
                           "the number of movements")
        o.movement_list = [reader.read_real(f"movement {k} (record 17)") for k in range(1, count + 1)]

    r = reader.read(1, "record 18 (tip curve scale option)")
    o.tip_curve_scale_option = _block_option(reader, r, "the tip curve scale option")
    o.tip_curve_scale_a = o.tip_curve_scale_b = 0.0
    if o.tip_curve_scale_option == 1:
        m = reader.read(2, "the tip curve multipliers (record 18)")
        o.tip_curve_scale_a = m.real(1, "the tip load multiplier")
        o.tip_curve_scale_b = m.real(2, "the tip movement multiplier")

    # An option that says what the data say is left to follow the data.
    automatic = Options(tz_print_depths=o.tz_print_depths, tz_factors=o.tz_factors,
                        movement_list=o.movement_list, tip_curve_scale_a=o.tip_curve_scale_a,
                        tip_curve_scale_b=o.tip_curve_scale_b).block_options()
    for name, value in automatic.items():
        if getattr(o, name) == value:
            setattr(o, name, None)


def _read_cpt(problem: Problem, reader: FreeFormatReader) -> None:
    r = reader.read(2, "record 1 of the CPT data (an unused whole number, number of CPT points)")
    problem.cpt.leading_value = r.integer(1, "the first value")
    count = _row_count(reader, r, 2, r.integer(2, "the number of CPT points"), MAX_CPT_POINTS,
                       "the number of CPT points")
    problem.cpt.points = []
    for k in range(1, count + 1):
        point = reader.read(2, f"CPT point {k}")
        problem.cpt.points.append(CptPoint(point.real(1, "the depth"), point.real(2, "the cone tip resistance")))


def read_input_file(input_file: str | Path, cpt_file: str | Path | None = None) -> Problem:
    """Reads an input data file (and a CPT data file) without names.dat; the
    run files of the problem take their base names."""
    problem = Problem()
    input_path = Path(input_file)
    _read_input(problem, FreeFormatReader.open(input_path, input_path.name))
    problem.files = RunFiles(input_file=input_path.name, output_file=input_path.stem + ".out",
                             plot_file=input_path.stem + ".plt", cpt_file="")
    if cpt_file is not None:
        cpt_path = Path(cpt_file)
        _read_cpt(problem, FreeFormatReader.open(cpt_path, cpt_path.name))
        problem.files.cpt_file = cpt_path.name
    problem.check()
    return problem


def read_problem(folder: str | Path) -> Problem:
    """Reads the problem of a run folder as the engine reads it: names.dat,
    then the input data file and the CPT data file it names."""
    base = Path(folder)
    files = read_run_control(base)
    problem = Problem()
    if not files.input_file:
        raise InputFileError(RUN_CONTROL_FILE, 5, "no input data file is named")
    _read_input(problem, FreeFormatReader.open(_resolve(base, files.input_file), files.input_file))
    if files.cpt_file:
        _read_cpt(problem, FreeFormatReader.open(_resolve(base, files.cpt_file), files.cpt_file))
    problem.files = files
    problem.check()
    return problem


def _resolve(folder: Path, name: str) -> Path:
    path = Path(name)
    return path if path.is_absolute() else folder / path


# ---------------------------------------------------------------------------
# Checks


def _is_int(value: Any) -> bool:
    return isinstance(value, numbers.Integral) and not isinstance(value, bool)


def _is_real(value: Any) -> bool:
    return isinstance(value, numbers.Real) and not isinstance(value, bool) and math.isfinite(value)


def _fail(name: str, message: str) -> None:
    raise ProblemError(f"{name}: {message}")


def _check_types(obj: Any, prefix: str) -> None:
    for f in fields(obj):
        value = getattr(obj, f.name)
        name = prefix + f.name
        kind = f.metadata.get("kind")
        if kind == "table" or dataclasses.is_dataclass(value):
            continue
        if kind == "text":
            if not isinstance(value, str):
                _fail(name, f"expected a text, found {value!r}")
            if "\n" in value or "\r" in value:
                _fail(name, "a text of one line is expected")
            try:
                value.encode("latin-1")
            except UnicodeEncodeError:
                _fail(name, "the files carry Latin-1 characters only")
            continue
        if isinstance(value, list):
            for k, item in enumerate(value):
                _check_scalar(f"{name}[{k}]", item, f.type)
            continue
        _check_scalar(name, value, f.type)


def _check_scalar(name: str, value: Any, declared: Any) -> None:
    text = str(declared)
    if value is None and "None" in text:
        return
    if "int" in text and "float" not in text:
        if not _is_int(value):
            _fail(name, f"expected a whole number, found {value!r}")
        if not INT32_MIN <= value <= INT32_MAX:
            _fail(name, f"{value} lies outside the range of 32-bit whole numbers")
        return
    if not _is_real(value):
        _fail(name, f"expected a finite number, found {value!r}")


def _check_in_order(name: str, what: str, values: list[float], quantity: str) -> None:
    for k in range(1, len(values)):
        if values[k] < values[k - 1]:
            _fail(f"{name}[{k}]",
                  f"the {quantity} of {what} {k + 1} ({values[k]:g}) lies before that of {what} {k} "
                  f"({values[k - 1]:g}); expected them in order of increasing {quantity}")


def _check_count(name: str, what: str, count: int, limit: int) -> None:
    if count > limit:
        _fail(name, f"{count} {what}; at most {limit} are allowed")


def _check(problem: Problem) -> None:
    p = problem
    for part, prefix in ((p, ""), (p.pile, "pile."), (p.options, "options."), (p.cpt, "cpt."),
                         (p.files, "files.")):
        if not dataclasses.is_dataclass(part):
            _fail(prefix.rstrip(".") or "problem", "expected the dataclass of its part")
        _check_types(part, prefix)
    for k, row in enumerate(p.layers):
        if not isinstance(row, SoilLayer):
            _fail(f"layers[{k}]", "expected a SoilLayer")
        _check_types(row, f"layers[{k}].")
    for k, point in enumerate(p.pile.area_points):
        if not isinstance(point, AreaPoint):
            _fail(f"pile.area_points[{k}]", "expected an AreaPoint")
        _check_types(point, f"pile.area_points[{k}].")
    for k, row in enumerate(p.options.tz_factors):
        if not isinstance(row, TzFactor):
            _fail(f"options.tz_factors[{k}]", "expected a TzFactor")
        _check_types(row, f"options.tz_factors[{k}].")
    for k, point in enumerate(p.cpt.points):
        if not isinstance(point, CptPoint):
            _fail(f"cpt.points[{k}]", "expected a CptPoint")
        _check_types(point, f"cpt.points[{k}].")

    for name in ("project_description", "designer_name", "job_number"):
        if len(getattr(p, name)) > TITLE_LENGTH:
            _fail(name, f"{len(getattr(p, name))} characters; the title lines carry {TITLE_LENGTH}")
    if p.unit_system not in (ENGLISH, SI):
        _fail("unit_system", f"must be 1 (English units) or 2 (SI units), found {p.unit_system}")
    if p.print_increment < 1:
        _fail("print_increment", f"the printing increment must be at least 1, found {p.print_increment}")
    if not 1 <= len(p.layers) <= MAX_LAYERS:
        _fail("layers", f"{len(p.layers)} soil rows; give 1 to {MAX_LAYERS}")

    pile = p.pile
    if not pile.total_length > 0:
        _fail("pile.total_length", f"the total pile length must be greater than 0, found {pile.total_length:g}")
    if pile.stickup_length < 0:
        _fail("pile.stickup_length", f"the stickup length is negative ({pile.stickup_length:g}); expected 0 or "
                                     "the length above the ground")
    if pile.stickup_length > pile.total_length:
        _fail("pile.stickup_length", f"the stickup length ({pile.stickup_length:g}) is larger than the total "
                                     f"pile length ({pile.total_length:g})")
    if pile.circular:
        if not pile.outside_diameter > 0:
            _fail("pile.outside_diameter", f"must be greater than 0 when no perimeter is given, found "
                                           f"{pile.outside_diameter:g}")
        if not 0 <= pile.inside_diameter < pile.outside_diameter:
            _fail("pile.inside_diameter", f"must be 0 (solid pile) or greater and smaller than the outside "
                                          f"diameter ({pile.outside_diameter:g}), found {pile.inside_diameter:g}")
    if not abs(pile.batter_angle) < 90:
        _fail("pile.batter_angle", f"must lie between -90 and 90 degrees, found {pile.batter_angle:g}")
    if (pile.enhanced_end_length >= _NO_ENHANCED_END and pile.circular
            and not 0 <= pile.enhanced_end_inside_diameter < pile.outside_diameter):
        _fail("pile.enhanced_end_inside_diameter",
              f"must be 0 (solid) or greater and smaller than the outside diameter ({pile.outside_diameter:g}), "
              f"found {pile.enhanced_end_inside_diameter:g}")
    if not pile.taper_angle < 90:
        _fail("pile.taper_angle", f"the angle of taper must be less than 90 degrees, found {pile.taper_angle:g}")
    _check_count("pile.area_points", "points of the cross-section area table", len(pile.area_points),
                 MAX_AREA_POINTS)
    _check_in_order("pile.area_points", "area point", [a.distance for a in pile.area_points], "distance")

    o = p.options
    if len(o.capacity_methods) != 9:
        _fail("options.capacity_methods", f"nine flags are expected, found {len(o.capacity_methods)}")
    if not o.length_increment > 0:
        _fail("options.length_increment", f"the increment of pile length must be greater than 0, found "
                                          f"{o.length_increment:g}")
    blocks = o.block_options()
    data = {"tz_print_option": ("tz_print_depths", o.tz_print_depths),
            "tz_factor_option": ("tz_factors", o.tz_factors),
            "movement_list_option": ("movement_list", o.movement_list),
            "tip_curve_scale_option": ("tip_curve_scale_a", [])}
    for option, value in blocks.items():
        if value not in (0, 1):
            _fail(f"options.{option}", f"must be 0 (no data follow) or 1 (data follow), found {value}")
        given_name, given = data[option]
        if value == 0 and given:
            _fail(f"options.{given_name}", f"values are given but options.{option} is 0; set it to 1 (or None) "
                                           "to use them")
    if blocks["tip_curve_scale_option"] == 0 and (o.tip_curve_scale_a != 0 or o.tip_curve_scale_b != 0):
        _fail("options.tip_curve_scale_a", "multipliers are given but options.tip_curve_scale_option is 0; "
                                           "set it to 1 (or None) to use them")
    _check_count("options.tz_print_depths", "t-z print depths", len(o.tz_print_depths), MAX_TZ_PRINT_DEPTHS)
    _check_count("options.tz_factors", "t-z factor rows", len(o.tz_factors), MAX_TZ_FACTOR_ROWS)
    if len(o.tz_factors) == 1:
        _fail("options.tz_factors", "a t-z factor table of one row is not carried by the input file (its rows "
                                    "follow only for two or more); give the factors at two depths, or none")
    _check_in_order("options.tz_factors", "t-z factor row", [f.depth for f in o.tz_factors], "depth")
    _check_count("options.movement_list", "movements", len(o.movement_list), MAX_MOVEMENTS)

    _check_in_order("layers", "soil row", [row.depth for row in p.layers], "depth")

    _check_count("cpt.points", "CPT points", len(p.cpt.points), MAX_CPT_POINTS)
    if o.cpt_data_option == 1:
        _check_in_order("cpt.points", "CPT point", [c.depth for c in p.cpt.points], "depth")

    files = p.files
    if len(files.version_text) > VERSION_LENGTH:
        _fail("files.version_text", f"{len(files.version_text)} characters; names.dat carries {VERSION_LENGTH}")
    for name in ("record_2", "record_3"):
        if len(getattr(files, name)) > 256:
            _fail(f"files.{name}", "names.dat carries 256 characters")
    for name, what in (("input_file", "input data file"), ("output_file", "report file"),
                       ("plot_file", "plot data file"), ("cpt_file", "CPT data file")):
        value = getattr(files, name)
        if name != "cpt_file" and not value.strip():
            _fail(f"files.{name}", f"no {what} is named")
        if value != value.strip(" \t"):
            _fail(f"files.{name}", "a file name without leading or trailing blanks is expected")
        if len(value) > FILE_NAME_LENGTH:
            _fail(f"files.{name}", f"names.dat carries names of {FILE_NAME_LENGTH} characters")
    if not files.cpt_file and p.cpt.points:
        _fail("files.cpt_file", "CPT points are given but no CPT data file is named")
    inputs = {RUN_CONTROL_FILE: "the run-control file", files.input_file: "the input data file"}
    if files.cpt_file:
        inputs.setdefault(files.cpt_file, "the CPT data file")
    for name, what, others in (("output_file", "the report file", inputs),
                               ("plot_file", "the plot data file", {**inputs, files.output_file: "the report file"})):
        value = getattr(files, name)
        if value in others:
            _fail(f"files.{name}", f'{what} "{value}" is the same file as {others[value]}; the run would '
                                   "overwrite it")
    if files.cpt_file in (files.input_file, RUN_CONTROL_FILE):
        _fail("files.cpt_file", f'"{files.cpt_file}" names another file of the run')


# ---------------------------------------------------------------------------
# Writing


def _real(value: float) -> str:
    """A real as the engine reads it back to the same value: whole numbers
    without a point, others in the shortest exact form."""
    value = float(value)
    if value == 0.0 and math.copysign(1.0, value) < 0:
        return "-0.0"
    if value.is_integer() and abs(value) < 1e15:
        return str(int(value))
    return repr(value)


def _int(value: int) -> str:
    return str(int(value))


def _line(*items: str) -> str:
    return " ".join(items)


def _input_text(p: Problem) -> str:
    pile, o = p.pile, p.options
    blocks = o.block_options()
    lines = [p.project_description, p.designer_name, p.job_number,
             _line(_int(p.unit_system), _int(p.print_increment), _int(len(p.layers)), _int(pile.tip_closure)),
             _line(*map(_real, (pile.perimeter, pile.tip_area, pile.outside_diameter, pile.inside_diameter,
                                pile.elastic_modulus, pile.total_length, pile.stickup_length)),
                   _int(o.elevation_output), _real(o.ground_elevation), _int(o.tip_averaging)),
             _line(_real(pile.enhanced_end_length), _real(pile.enhanced_end_inside_diameter),
                   _real(pile.batter_angle)),
             _line(_real(pile.zero_friction_length), _real(o.length_increment), _int(pile.pile_type),
                   _real(pile.taper_angle), _int(o.load_transfer_method), _int(o.cpt_data_option),
                   _int(o.side_friction_reduction)),
             _line(*map(_int, o.capacity_methods)),
             _line(_real(p.soil_profile_bottom), _real(pile.cross_section_area))]
    for row in p.layers:
        values = dataclasses.astuple(row)
        lines.append(_line(*map(_real, values[:6])))
        lines.append(_line(*map(_real, values[6:])))
    lines.append(_int(blocks["tz_print_option"]))
    if blocks["tz_print_option"] == 1:
        lines.append(_int(len(o.tz_print_depths)))
        lines += [_real(d) for d in o.tz_print_depths]
    lines.append(_line(_int(o.loading_type), _real(o.tension_reduction_factor)))
    lines.append(_line(_int(o.clay_drainage), _int(o.plug_option), _int(o.long_pile_option)))
    lines.append(_line(_int(len(pile.area_points)), _int(pile.area_option)))
    lines += [_line(_real(a.distance), _real(a.area)) for a in pile.area_points]
    lines.append(_line(_int(o.critical_depth_option), _real(o.critical_depth)))
    lines.append(_int(blocks["tz_factor_option"]))
    if blocks["tz_factor_option"] == 1:
        lines.append(_int(len(o.tz_factors)))
        lines += [_line(_real(f.depth), _real(f.a), _real(f.b)) for f in o.tz_factors]
    lines.append(_int(blocks["movement_list_option"]))
    if blocks["movement_list_option"] == 1:
        lines.append(_int(len(o.movement_list)))
        lines += [_real(m) for m in o.movement_list]
    lines.append(_int(blocks["tip_curve_scale_option"]))
    if blocks["tip_curve_scale_option"] == 1:
        lines.append(_line(_real(o.tip_curve_scale_a), _real(o.tip_curve_scale_b)))
    return "\n".join(lines) + "\n"


def _cpt_text(p: Problem) -> str:
    lines = [_line(_int(p.cpt.leading_value), _int(len(p.cpt.points)))]
    lines += [_line(_real(c.depth), _real(c.tip_resistance)) for c in p.cpt.points]
    return "\n".join(lines) + "\n"


def _names_text(p: Problem) -> str:
    f = p.files
    return "\n".join([f.version_text, f.record_2, f.record_3, _int(f.record_4), f.input_file, f.output_file,
                      f.plot_file, f.cpt_file]) + "\n"
