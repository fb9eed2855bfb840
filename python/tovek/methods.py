"""The nine capacity methods: selection flags, table order and titles.

The input selects methods by nine flags (record 8) in the order FHWA, USACE,
Revised Lambda, API RP-2A, user-specified, NGI, ICP/MTD, Fugro, UWA; the
load-transfer method is numbered the same way. The report writes the tables,
and the plot data file its capacity blocks, in another order: the
user-specified method first, then FHWA, USACE, Revised Lambda and API RP-2A,
then the four cone methods.
"""

from __future__ import annotations

from dataclasses import dataclass


@dataclass(frozen=True)
class Method:
    key: str      # short key for scripts: "api", "user", ...
    name: str     # the name used in result tables
    flag: int     # position in the selection flags, 1..9
    title: str    # the title of its table in the report
    cone: bool    # a cone-resistance method (needs CPT data)


# In the order of the tables of the report and the blocks of the plot file.
METHODS: tuple[Method, ...] = (
    Method("user", "User-specified", 5, "* GENERAL METHOD *", False),
    Method("fhwa", "FHWA", 1, "*  FED. HWY. METHOD  *", False),
    Method("usace", "USACE", 2, "* ARMY CORPS METHOD  *", False),
    Method("lambda", "Revised Lambda", 3, "*  LAMBDA 2 METHOD   *", False),
    Method("api", "API RP-2A", 4, "*  API RP-2A (2010)  *", False),
    Method("ngi", "NGI", 6, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", True),
    Method("icp", "ICP/MTD", 7, "*  IMPERIAL COLLEGE (MTD) METHOD  *", True),
    Method("fugro", "Fugro", 8, "*    FUGRO 2004 (FUGRO) METHOD    *", True),
    Method("uwa", "UWA", 9, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *", True),
)

BY_FLAG = {m.flag: m for m in METHODS}


def method(name_or_flag: str | int) -> Method:
    """A method by its key ("api"), its name ("API RP-2A") or its flag
    number (4, as the load-transfer method is numbered)."""
    if isinstance(name_or_flag, int) and not isinstance(name_or_flag, bool):
        if name_or_flag in BY_FLAG:
            return BY_FLAG[name_or_flag]
        raise ValueError(f"no capacity method has the number {name_or_flag}; expected 1 to 9")
    text = str(name_or_flag).strip().lower()
    for m in METHODS:
        if text in (m.key, m.name.lower()):
            return m
    keys = ", ".join(m.key for m in METHODS)
    raise ValueError(f'unknown capacity method "{name_or_flag}"; expected one of {keys}')


def tabulated_methods(capacity_methods: list[int], cpt_data_option: int) -> list[Method]:
    """The methods whose tables a run writes, in table order: a flag of 1
    selects a method; the cone methods need cpt_data_option 1 and one of
    their flags set."""
    flags = list(capacity_methods) + [0] * (9 - len(capacity_methods))
    selected = [m for m in METHODS if flags[m.flag - 1] == 1]
    cone_run = cpt_data_option == 1 and any(flags[k] == 1 for k in range(5, 9))
    return [m for m in selected if not m.cone or cone_run]


def methods_in_report(report: str) -> list[Method]:
    """The methods whose capacity tables stand in a report, in their order:
    found by their titles after the heading of the result section."""
    lines = report.splitlines()
    start = 0
    for k, line in enumerate(lines):
        if line.strip() == "* COMPUTATION RESULT *":
            start = k + 1
            break
    titles = {m.title: m for m in METHODS}
    return [titles[line.strip()] for line in lines[start:] if line.strip() in titles]
