"""Units of the input fields and of the result columns.

unit_system 1 is English units, 2 SI units. The input data file carries
each field in its file unit (inches for diameters, psf for soil strengths,
...); the results come back in the units the engine prints: feet, kips and
ksf, or metres, kN and kPa, with the load-transfer curves and the
load-settlement blocks in inches and psi (English) or metres and kPa (SI).
"""

from __future__ import annotations

ENGLISH = 1
SI = 2

# Kinds of quantity and their unit per unit system (English, SI).
KINDS: dict[str, tuple[str, str]] = {
    "length": ("ft", "m"),          # lengths, depths, elevations
    "diameter": ("in", "mm"),       # diameters, perimeter, peak movement in the file
    "area": ("in2", "m2"),
    "modulus": ("psi", "kPa"),
    "soil_stress": ("psf", "kPa"),  # soil strengths and limits in the file
    "unit_weight": ("pcf", "kN/m3"),
    "force": ("kip", "kN"),
    "stress": ("ksf", "kPa"),       # unit side friction of the capacity blocks
    "curve_stress": ("psi", "kPa"),  # load transfer of the t-z curves
    "movement": ("in", "m"),        # pile movements of the load-settlement stage
    "angle": ("deg", "deg"),
    "percent": ("%", "%"),
    "blows": ("blows", "blows"),
    "ratio": ("-", "-"),
    "code": ("", ""),
    "count": ("", ""),
    "text": ("", ""),
}


def unit(kind: str, unit_system: int) -> str:
    """The unit of a kind of quantity in a unit system (1 English, 2 SI)."""
    english, si = KINDS[kind]
    return english if unit_system == ENGLISH else si


def system_name(unit_system: int) -> str:
    return "English" if unit_system == ENGLISH else "SI"
