"""The bundled example problem built in Python.

An open-ended steel pipe pile, 24 in in diameter and 60 ft long, in sand
over clay; capacity by API RP-2A and by user-specified unit load transfers,
load-settlement curve from the API values, t-z curves listed at 10 and
40 ft. The same problem as the folder examples/pipe-pile.
"""

from __future__ import annotations

from .problem import CLAY, SAND, Options, Pile, Problem, RunFiles, SoilLayer


def _row(depth, soil, k, weight, phi, su, sr, user_f, user_q):
    return SoilLayer(depth=depth, soil_type=soil, lateral_earth_pressure=k, effective_unit_weight=weight,
                     friction_angle=phi, undrained_shear_strength=su, remolded_shear_strength=sr,
                     plasticity_index=20 if soil == CLAY else 0, user_unit_skin_friction=user_f,
                     user_unit_end_bearing=user_q)


def pipe_pile() -> Problem:
    """The bundled example: 24 in open-ended pipe pile, 60 ft, sand over clay."""
    return Problem(
        project_description="Open-ended steel pipe pile, 24 in, sand over clay - bridge pier 3",
        designer_name="A. Engineer",
        job_number="J-2024-017",
        unit_system=1,
        print_increment=5,
        pile=Pile(outside_diameter=24, inside_diameter=23, elastic_modulus=29_000_000, total_length=60,
                  stickup_length=0, pile_type=1, tip_closure=0),
        options=Options(length_increment=1.0, load_transfer_method=4, tip_averaging=1,
                        tz_print_depths=[10, 40]).select_methods("api", "user"),
        soil_profile_bottom=70,
        layers=[
            # depth ft, soil, K, gamma' pcf, phi deg, su psf, sr psf (blow count in sand), user f psf, user q psf
            _row(0, SAND, 0.8, 115, 32, 0, 15, 1000, 40000),
            _row(10, SAND, 0.8, 115, 32, 0, 18, 1200, 50000),
            _row(10, SAND, 0.8, 62.6, 32, 0, 18, 1200, 50000),
            _row(30, SAND, 0.8, 62.6, 34, 0, 25, 1500, 60000),
            _row(30, CLAY, 0, 55, 0, 1200, 600, 800, 10800),
            _row(70, CLAY, 0, 55, 0, 2400, 1200, 1400, 21600),
        ],
        files=RunFiles(input_file="pipe24.in", output_file="pipe24.out", plot_file="pipe24.plt",
                       cpt_file="pipe24.cpt", record_2="C:\\TOVEK", record_3="C:\\TOVEK\\EXAMPLES"),
    )
