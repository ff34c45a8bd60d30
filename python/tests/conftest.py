"""What the module's tests share: the command-line program they compare the module with."""

import json
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def cli():
    """Runs `zentarix ARGS` under the C locale; returns its JSON lines, status and notes."""
    program = os.path.join(os.environ.get("ZENTARIX_BIN", "build/release/app"), "zentarix")
    environment = dict(os.environ, LC_ALL="C", ZENTARIX_LANG="en")

    def run(*arguments, input=None):
        done = subprocess.run([program, *arguments], input=input, capture_output=True,
                              env=environment, check=False)
        lines = [json.loads(line) for line in done.stdout.decode().splitlines()]
        return lines, done.returncode, done.stderr.decode()

    return run
