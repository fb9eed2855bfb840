"""Charts of the results of a run (matplotlib, drawn with the Agg canvas).

Every function takes a Results object and returns a matplotlib Figure; the
figures are made without pyplot, so they hold no global state and display
inline in a notebook. ``save_charts`` writes them as PNG and SVG files and
one PDF with every chart.

- capacity_chart: skin friction, end bearing and ultimate capacity against
  penetration (depth downwards), one panel per method, side by side;
- side_friction_chart: unit side friction against depth, all methods;
- tz_chart: the layer t-z curves and the tip load-movement curve;
- distribution_chart: load and movement along the pile for every assumed
  tip movement;
- load_settlement_chart: head load against head settlement, with the share
  carried at the tip and by the shaft;
- verification_chart: the t-z curves listed at the requested depths.
"""

from __future__ import annotations

from pathlib import Path

import numpy as np
from matplotlib import cm, colormaps, colors
from matplotlib.backends.backend_agg import FigureCanvasAgg
from matplotlib.backends.backend_pdf import PdfPages
from matplotlib.figure import Figure

from .methods import method
from .results import Results

SKIN_COLOUR = "tab:blue"
END_COLOUR = "tab:orange"
TOTAL_COLOUR = "black"


def _figure(width: float, height: float) -> Figure:
    figure = Figure(figsize=(width, height), dpi=100, layout="constrained")
    FigureCanvasAgg(figure)
    return figure


def _title(results: Results, what: str) -> str:
    problem = results.problem
    if problem is not None and problem.project_description.strip():
        return f"{what}\n{problem.project_description.strip()}"
    return what


def _transfer_method(results: Results) -> str:
    """The method whose unit load transfers the load-settlement stage used."""
    try:
        return method(results.header.load_transfer_method).name
    except ValueError:
        return f"load-transfer method {results.header.load_transfer_method}"


def _tension(results: Results) -> bool:
    return results.problem is not None and results.problem.options.loading_type == 1


def _position_label(results: Results) -> str:
    u = results.units["position"]
    return f"Elevation ({u})" if results.position_is_elevation else f"Pile penetration below ground ({u})"


def _depth_downwards(axes, results: Results) -> None:
    """Depth grows downwards: penetrations run down from 0 at the top;
    elevations are drawn as they stand (higher up)."""
    if not results.position_is_elevation:
        low, high = axes.get_ylim()
        shallowest = float(results.capacity["position"].min()) if len(results.capacity) else 0.0
        axes.set_ylim(max(low, high), min(shallowest, 0.0))


def _readable(name: str) -> colors.Colormap:
    """A colour map without its palest tenth (yellow on white), dark for
    the deepest or largest value."""
    return colors.ListedColormap(colormaps[name](np.linspace(0.0, 0.88, 256))[::-1])


def _empty(axes, text: str) -> None:
    axes.text(0.5, 0.5, text, ha="center", va="center", transform=axes.transAxes, color="grey")
    axes.set_xticks([])
    axes.set_yticks([])


def capacity_chart(results: Results) -> Figure:
    """Skin friction, end bearing (self weight in tension) and ultimate
    capacity against penetration, one panel per method."""
    methods = results.methods
    panels = max(len(methods), 1)
    figure = _figure(2.2 + 3.2 * panels, 6.5)
    axes_list = figure.subplots(1, panels, sharex=True, sharey=True, squeeze=False)[0]
    force = results.units["skin_friction"]
    end_name = "Self weight" if _tension(results) else "End bearing"
    if not methods:
        _empty(axes_list[0], "no capacity table in this run")
    # Markers show the printed nodes while they stand apart.
    dots = results.header.row_count <= 25
    for axes, name in zip(axes_list, methods):
        frame = results.method_frame(name)
        y = frame["position"]
        axes.plot(frame["skin_friction"], y, color=SKIN_COLOUR, marker="o" if dots else None, markersize=3,
                  label="Skin friction")
        axes.plot(frame["end_bearing"], y, color=END_COLOUR, marker="s" if dots else None, markersize=3,
                  label=end_name)
        axes.plot(frame["ultimate_capacity"], y, color=TOTAL_COLOUR, linewidth=2, marker="^" if dots else None,
                  markersize=3, label="Ultimate capacity")
        axes.set_title(name)
        axes.set_xlabel(f"Axial capacity ({force})")
        axes.grid(True, alpha=0.4)
        axes.axvline(0.0, color="grey", linewidth=0.8)
    if methods:
        left, right = axes_list[0].get_xlim()
        axes_list[0].set_xlim(min(left, 0.0), right)
        axes_list[0].set_ylabel(_position_label(results))
        _depth_downwards(axes_list[0], results)
        # Capacity grows with depth: the shallow, high-capacity corner is free.
        axes_list[0].legend(loc="upper right", fontsize="small")
    figure.suptitle(_title(results, "Axial capacity against penetration"
                           + (" (tension)" if _tension(results) else "")))
    return figure


def side_friction_chart(results: Results) -> Figure:
    """Unit side friction of every method against depth."""
    figure = _figure(6.0, 6.5)
    axes = figure.subplots()
    if not results.methods:
        _empty(axes, "no capacity table in this run")
    dots = results.header.row_count <= 25
    for name in results.methods:
        frame = results.method_frame(name)
        axes.plot(frame["unit_side_friction"], frame["position"], marker="o" if dots else None, markersize=3,
                  label=name)
    if results.methods:
        axes.set_xlabel(f"Unit side friction ({results.units['unit_side_friction']})")
        axes.set_ylabel(_position_label(results))
        axes.grid(True, alpha=0.4)
        left, right = axes.get_xlim()
        axes.set_xlim(min(left, 0.0), right)
        _depth_downwards(axes, results)
        axes.legend(loc="best", fontsize="small")
    figure.suptitle(_title(results, "Unit side friction against depth"))
    return figure


def _last_change(x: np.ndarray, y: np.ndarray) -> float:
    """The abscissa after which a curve stays constant."""
    for k in range(len(y) - 1, 0, -1):
        if y[k] != y[k - 1]:
            return float(x[k])
    return float(x[-1]) if len(x) else 0.0


def _curves_panel(axes, curves, results: Results, colour_bar_figure: Figure | None) -> None:
    stress = results.units["load_transfer"]
    movement = results.units["movement"]
    depth_unit = results.units["depth"]
    groups = list(curves.groupby("curve", sort=False))
    depths = [float(group["depth"].iloc[0]) for _, group in groups]
    norm = colors.Normalize(vmin=min(depths), vmax=max(depths) if max(depths) > min(depths) else min(depths) + 1)
    cmap = _readable("viridis")
    reach = 0.0
    many = len(groups) > 12
    for (number, group), depth in zip(groups, depths):
        x = group["movement"].to_numpy()
        y = group["load_transfer"].to_numpy()
        reach = max(reach, _last_change(x, y))
        axes.plot(x, y, color=cmap(norm(depth)), marker="." if not many else None,
                  label=f"{depth:.2f} {depth_unit}")
    if reach > 0:
        axes.set_xlim(0.0, reach * 1.25)
    axes.set_ylim(bottom=0.0)
    axes.set_xlabel(f"Pile movement ({movement})")
    axes.set_ylabel(f"Load transfer ({stress})")
    axes.grid(True, alpha=0.4)
    if many and colour_bar_figure is not None:
        bar = colour_bar_figure.colorbar(cm.ScalarMappable(norm=norm, cmap=cmap), ax=axes)
        bar.set_label(f"Depth below ground ({depth_unit})")
        bar.ax.invert_yaxis()
    else:
        axes.legend(title="Depth below ground", fontsize="x-small", title_fontsize="small", loc="upper left",
                    bbox_to_anchor=(1.02, 1.0))


def tz_chart(results: Results) -> Figure:
    """The t-z curves of the soil layers and the tip load-movement curve."""
    figure = _figure(11.0, 5.5)
    shaft, tip = figure.subplots(1, 2)
    if len(results.tz_curves):
        _curves_panel(shaft, results.tz_curves, results, figure)
        shaft.set_title("Shaft load-transfer (t-z) curves")
    else:
        _empty(shaft, "no layer t-z curves")
    frame = results.tip_curve
    x = frame["tip_movement"].to_numpy()
    y = frame["tip_load"].to_numpy()
    tip.plot(x, y, color=END_COLOUR, marker="o", markersize=4)
    reach = _last_change(x, y)
    if reach > 0:
        tip.set_xlim(0.0, reach * 1.25)
    tip.set_ylim(bottom=min(0.0, float(np.nanmin(y)) if len(y) else 0.0))
    tip.set_xlabel(f"Tip movement ({results.units['tip_movement']})")
    tip.set_ylabel(f"Tip load ({results.units['tip_load']})")
    tip.set_title("Tip load-movement (q-w) curve")
    tip.grid(True, alpha=0.4)
    figure.suptitle(_title(results, f"Load-transfer curves ({_transfer_method(results)} unit load transfers)"))
    return figure


def distribution_chart(results: Results) -> Figure:
    """Axial load and pile movement along the pile, one line per assumed
    tip movement."""
    figure = _figure(11.0, 6.5)
    load_axes, movement_axes = figure.subplots(1, 2, sharey=True)
    frame = results.distributions
    length = results.units["distance"]
    movement = results.units["movement"]
    tips = frame.groupby("case", sort=False)["tip_movement"].first()
    positive = bool(len(tips)) and bool((tips > 0).all())
    if positive and tips.max() > tips.min():
        norm = colors.LogNorm(vmin=tips.min(), vmax=tips.max())
    else:
        low = float(tips.min()) if len(tips) else 0.0
        norm = colors.Normalize(vmin=low, vmax=float(tips.max()) if len(tips) and tips.max() > low else low + 1)
    cmap = _readable("plasma")
    for case, group in frame.groupby("case", sort=False):
        colour = cmap(norm(tips[case]))
        load_axes.plot(group["load"], group["distance"], color=colour)
        movement_axes.plot(group["movement"], group["distance"], color=colour)
    if not len(frame):
        _empty(load_axes, "no load distributions")
    load_axes.set_xlabel(f"Axial load ({results.units['load']})")
    load_axes.set_ylabel(f"Distance from pile head ({length})")
    movement_axes.set_xlabel(f"Pile movement ({movement})")
    for axes in (load_axes, movement_axes):
        axes.grid(True, alpha=0.4)
        axes.set_xlim(left=0.0)
    low, high = load_axes.get_ylim()
    load_axes.set_ylim(max(low, high), 0.0)
    load_axes.set_title("Load distribution")
    movement_axes.set_title("Movement along the pile")
    if len(frame):
        bar = figure.colorbar(cm.ScalarMappable(norm=norm, cmap=cmap), ax=[load_axes, movement_axes])
        bar.set_label(f"Assumed tip movement ({movement})")
    figure.suptitle(_title(results, f"Load distribution along the pile ({_transfer_method(results)} "
                                    "unit load transfers)"))
    return figure


def load_settlement_chart(results: Results) -> Figure:
    """Head load against head settlement (settlement downwards), with the
    load carried at the tip and by the shaft at the same settlement."""
    figure = _figure(7.5, 6.0)
    axes = figure.subplots()
    frame = results.load_settlement
    force = results.units["top_load"]
    movement = results.units["top_movement"]
    settlement = frame["top_movement"]
    axes.plot(frame["top_load"], settlement, color=TOTAL_COLOUR, linewidth=2, marker="o", markersize=4,
              label="Head load", zorder=3)
    axes.plot(frame["top_load"] - frame["tip_load"], settlement, color=SKIN_COLOUR, marker=".",
              label="Carried by the shaft")
    axes.plot(frame["tip_load"], settlement, color=END_COLOUR, marker="s", markersize=3,
              label="Carried at the tip (tip share)")
    axes.set_xlabel(f"Axial load ({force})")
    axes.set_ylabel(f"Settlement of the pile head ({movement})")
    axes.grid(True, alpha=0.4)
    axes.set_xlim(left=0.0)
    low, high = axes.get_ylim()
    axes.set_ylim(max(low, high), 0.0)
    axes.legend(loc="best", fontsize="small")
    figure.suptitle(_title(results, f"Load-settlement curve ({_transfer_method(results)} unit load transfers)"))
    return figure


def verification_chart(results: Results) -> Figure | None:
    """The t-z curves listed at the requested depths; None when the run
    listed none."""
    if not len(results.verification_curves):
        return None
    figure = _figure(7.5, 5.5)
    axes = figure.subplots()
    _curves_panel(axes, results.verification_curves, results, figure)
    figure.suptitle(_title(results, f"t-z curves at the requested depths ({_transfer_method(results)})"))
    return figure


CHARTS = {
    "capacity": capacity_chart,
    "side-friction": side_friction_chart,
    "tz-curves": tz_chart,
    "distributions": distribution_chart,
    "load-settlement": load_settlement_chart,
    "verification": verification_chart,
}


def all_charts(results: Results) -> dict[str, Figure]:
    """Every chart of a run by name (the verification chart only when the
    run listed such curves)."""
    figures = {name: make(results) for name, make in CHARTS.items()}
    return {name: figure for name, figure in figures.items() if figure is not None}


def save_charts(results: Results, folder: str | Path | None = None, stem: str | None = None,
                formats: tuple[str, ...] = ("png", "svg"), pdf: bool = True) -> list[Path]:
    """Writes every chart as `<stem>-<chart>.<format>` and, with `pdf`, one
    `<stem>-charts.pdf` with all of them. The folder and stem default to
    those of the plot data file."""
    if folder is None:
        if results.plot_file is None:
            raise ValueError("the results have no plot data file on disc: name the folder to write into")
        folder = results.plot_file.parent
    if stem is None:
        stem = results.plot_file.stem if results.plot_file is not None else "tovek"
    target = Path(folder)
    target.mkdir(parents=True, exist_ok=True)
    written: list[Path] = []
    figures = all_charts(results)
    for name, figure in figures.items():
        for extension in formats:
            path = target / f"{stem}-{name}.{extension}"
            figure.savefig(path, dpi=120 if extension == "png" else None)
            written.append(path)
    if pdf:
        path = target / f"{stem}-charts.pdf"
        with PdfPages(path) as document:
            for figure in figures.values():
                document.savefig(figure)
        written.append(path)
    return written
