"""The Python example of the project's README runs as written."""

from __future__ import annotations

import re
import subprocess
import sys

from conftest import PACKAGE_ROOT, PROJECT


def test_readme_example_builds_runs_and_plots(engine, tmp_path):
    readme = (PROJECT / "README.md").read_text()
    section = readme[readme.index("## Python"):]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    assert len(code.strip().splitlines()) <= 15
    completed = subprocess.run([sys.executable, "-c", code], cwd=tmp_path, capture_output=True, text=True,
                               env={"PYTHONPATH": str(PACKAGE_ROOT), "TOVEK_ENGINE": str(engine), "PATH": ""})
    assert completed.returncode == 0, completed.stderr
    assert "API RP-2A" in completed.stdout and "ultimate_capacity" in completed.stdout
    assert (tmp_path / "capacity.png").stat().st_size > 10_000
