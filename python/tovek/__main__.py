"""Command line: python3 -m tovek run | chart | study (each with --help)."""

from __future__ import annotations

import argparse
import sys
from pathlib import Path

import pandas as pd

from .engine import EngineError, EngineNotFound, run_folder
from .freeformat import ProblemError
from .problem import read_problem
from .results import PlotFileError, Results, read_run


def _print_tip_table(results: Results) -> None:
    frame = results.tip_capacity()
    if frame.empty:
        print("No capacity table in this run.")
        return
    units = frame.attrs["units"]
    shown = frame.rename(columns={name: f"{name} ({units[name]})" for name in units if name in frame})
    print("Capacity at the pile tip:")
    print(shown.to_string(index=False))


def _values(text: str) -> list[float]:
    """Values given as "a,b,c" or as an inclusive range "start:stop:step"."""
    text = text.strip()
    if ":" in text:
        parts = text.split(":")
        if len(parts) != 3:
            raise argparse.ArgumentTypeError(f'"{text}": a range is start:stop:step')
        start, stop, step = (float(part) for part in parts)
        if step <= 0 or stop < start:
            raise argparse.ArgumentTypeError(f'"{text}": expected start <= stop and a positive step')
        count = int((stop - start) / step + 1e-9) + 1
        return [round(start + k * step, 10) for k in range(count)]
    try:
        return [float(item) for item in text.split(",") if item.strip()]
    except ValueError:
        raise argparse.ArgumentTypeError(f'"{text}": expected numbers separated by commas') from None


def _setting(text: str) -> tuple[str, list]:
    if "=" not in text:
        raise argparse.ArgumentTypeError(f'"{text}": expected FIELD=VALUES, e.g. pile.stickup_length=0,5')
    path, values = text.split("=", 1)
    numbers = _values(values)
    return path.strip(), [int(v) if v.is_integer() and _is_whole_field(path) else v for v in numbers]


def _is_whole_field(path: str) -> bool:
    from .problem import Options, Pile, Problem
    import dataclasses

    name = path.strip().split(".")[-1]
    for cls in (Problem, Pile, Options):
        for f in dataclasses.fields(cls):
            if f.name == name:
                return "int" in str(f.type) and "float" not in str(f.type)
    return False


def command_run(args: argparse.Namespace) -> int:
    folder = Path(args.folder)
    problem = read_problem(folder)
    results = run_folder(folder, args.engine, problem)
    print(f"Run in {folder.resolve()}: {results}")
    print(f"Report:         {folder.resolve() / problem.files.output_file}")
    print(f"Plot data file: {folder.resolve() / problem.files.plot_file}")
    _print_tip_table(results)
    if args.charts:
        from .charts import save_charts

        for path in save_charts(results):
            print(f"Chart: {path}")
    return 0


def command_chart(args: argparse.Namespace) -> int:
    from .charts import save_charts

    results = read_run(Path(args.folder))
    formats = tuple(item.strip() for item in args.formats.split(",") if item.strip())
    for path in save_charts(results, formats=formats, pdf=not args.no_pdf):
        print(path)
    return 0


def command_study(args: argparse.Namespace) -> int:
    from .study import study

    problem = read_problem(Path(args.folder))
    parameters = dict(args.set or [])
    if args.lengths is None and args.diameters is None and not parameters:
        raise ProblemError("give --lengths, --diameters or --set FIELD=VALUES")
    frame = study(problem, lengths=args.lengths, diameters=args.diameters, parameters=parameters,
                  engine=args.engine, jobs=args.jobs, progress=not args.quiet,
                  on_error="record" if args.keep_going else "raise")
    with pd.option_context("display.max_rows", None, "display.width", 200):
        print(frame.to_string(index=False))
    if args.csv:
        frame.to_csv(args.csv, index=False)
        print(f"Table written to {args.csv}")
    return 0


def parser() -> argparse.ArgumentParser:
    main = argparse.ArgumentParser(
        prog="python3 -m tovek",
        description="Axial capacity and load-settlement analyses of single driven piles with the TOVEK "
                    "engine: run a problem folder, chart its results, run parameter studies.")
    commands = main.add_subparsers(dest="command", required=True, metavar="COMMAND")
    engine_help = ("the host program tovek to run (default: $TOVEK_ENGINE, the project's build/tovek, "
                   "or tovek on PATH)")

    run = commands.add_parser(
        "run", help="run the analysis of a problem folder",
        description="Runs the engine in FOLDER (names.dat and the problem files), as the front end does, and "
                    "prints the capacity at the pile tip per method. The report and the plot data file are "
                    "written in FOLDER.")
    run.add_argument("folder", metavar="FOLDER", help="folder holding names.dat and the problem files")
    run.add_argument("--engine", metavar="PATH", help=engine_help)
    run.add_argument("--charts", action="store_true", help="also write the charts next to the plot data file")
    run.set_defaults(handler=command_run)

    chart = commands.add_parser(
        "chart", help="draw the charts of a run",
        description="Reads the plot data file (and the report) of a run in FOLDER and writes the charts next to "
                    "the plot data file: capacity, side friction, t-z curves, load distributions, "
                    "load-settlement (and verification t-z curves when listed), as PNG and SVG, and one PDF "
                    "with every chart.")
    chart.add_argument("folder", metavar="FOLDER", help="folder of a run (names.dat names the plot data file)")
    chart.add_argument("--formats", default="png,svg", help="image formats, comma-separated (default: png,svg)")
    chart.add_argument("--no-pdf", action="store_true", help="do not write the PDF with every chart")
    chart.set_defaults(handler=command_chart)

    study = commands.add_parser(
        "study", help="run a problem over a grid of values",
        description="Runs the problem of FOLDER over every combination of the given values, in parallel over "
                    "the machine's cores, and prints the capacity at the pile tip per case and method. Values "
                    "are a comma-separated list (40,50,60) or an inclusive range start:stop:step (40:60:5). "
                    "The problem folder itself is not changed.")
    study.add_argument("folder", metavar="FOLDER", help="folder holding names.dat and the problem files")
    study.add_argument("--lengths", type=_values, metavar="VALUES", help="total pile lengths (ft or m)")
    study.add_argument("--diameters", type=_values, metavar="VALUES",
                       help="outside diameters (in or mm); a pipe keeps its wall thickness")
    study.add_argument("--set", type=_setting, action="append", metavar="FIELD=VALUES",
                       help="values of any field by its dotted name, e.g. pile.stickup_length=0,5 or "
                            "layers[1].friction_angle=30:36:2 (repeatable)")
    study.add_argument("--jobs", type=int, metavar="N", help="parallel runs (default: one per core)")
    study.add_argument("--csv", metavar="FILE", help="write the table as CSV")
    study.add_argument("--keep-going", action="store_true",
                       help="record cases that end early (column error) instead of stopping")
    study.add_argument("--quiet", action="store_true", help="no progress bar")
    study.add_argument("--engine", metavar="PATH", help=engine_help)
    study.set_defaults(handler=command_study)
    return main


def main(argv: list[str] | None = None) -> int:
    args = parser().parse_args(argv)
    try:
        return args.handler(args)
    except EngineError as error:
        print(f"tovek: {error}", file=sys.stderr)
        return 1
    except (ProblemError, PlotFileError, EngineNotFound) as error:
        print(f"tovek: {error}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())
