"""What the module's tests share: the module from the build tree (PYTHONPATH) and the real
orvanto-cli (ORVANTO_CLI) to compare it with, run as a user runs it."""
import os
import subprocess

import pandas as pd
import pytest

import orvanto

CLI = os.environ.get('ORVANTO_CLI', 'orvanto-cli')


def cli_batch(path, *options):
    """orvanto-cli batch over a file, its output in UTF-8: (status, output, standard error)."""
    done = subprocess.run([CLI, 'batch', '--output-encoding=utf-8', *options, str(path)],
                          capture_output=True, check=False)
    return done.returncode, done.stdout, done.stderr.decode()


def read_frame(source, sep=',', encoding='utf-8'):
    """A batch file as the module's users read one."""
    return pd.read_csv(source, dtype=str, keep_default_na=False, sep=sep, encoding=encoding)


def random_legs(rng, rows):
    """CSV text of legs with reference points and mode columns: entries in both notations, now and
    then a blank, a slip of the keyboard or a typed form, legs too long for the estimate among
    them."""
    def entry(mode):
        kind = rng.randrange(20)
        if kind < 4:
            return ['', ' ', '42a125', '4250.0°'][kind]
        sign = '-' if rng.randrange(4) == 0 else ''
        if mode == 's':
            return f'{sign}{rng.randrange(90)}{rng.randrange(60):02d}{rng.randrange(60):02d}'
        return f'{sign}{rng.randrange(90)}{rng.randrange(60):02d}.{rng.randrange(10)}'
    lines = ['lat1,lon1,mode1,lat2,lon2,mode2,latr,lonr,moder']
    for _ in range(rows):
        modes = [rng.choice('mms') for _ in range(3)]
        lines.append(','.join(f'{entry(m)},{entry(m)},{rng.choice([m, m, ""])}' for m in modes))
    return '\n'.join(lines) + '\n'
