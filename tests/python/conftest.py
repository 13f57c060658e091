"""What the module's tests share: the module from the build tree (PYTHONPATH) and the real
orvanto-cli (ORVANTO_CLI) to compare it with, run as a user runs it."""
import os
import subprocess

import pandas as pd
import pytest

import orvanto

CLI = os.environ.get('ORVANTO_CLI', 'orvanto-cli')

needs_navigation = pytest.mark.skipif(not orvanto._orvanto.HAS_NAVIGATION,
                                      reason='this build has no navigation library')


def cli_batch(path, *options):
    """orvanto-cli batch over a file, its output in UTF-8: (status, output, standard error)."""
    done = subprocess.run([CLI, 'batch', '--output-encoding=utf-8', *options, str(path)],
                          capture_output=True, check=False)
    return done.returncode, done.stdout, done.stderr.decode()


def read_frame(source, sep=',', encoding='utf-8'):
    """A batch file as the module's users read one."""
    return pd.read_csv(source, dtype=str, keep_default_na=False, sep=sep, encoding=encoding)
