"""orvanto.dask on a LocalCluster of two worker processes: the README's example over 200,000 rows
in 8 partitions equals orvanto-cli batch over the same rows, also when a worker dies mid-task."""
import io
import logging
import os
import random

import dask.dataframe as dd
import pandas as pd
import pytest
from distributed import Client, LocalCluster

import orvanto
import orvanto.dask
from conftest import cli_batch, read_frame

PARTITIONS, ROWS_EACH = 8, 25_000
# Debian's distributed starts its event loop in a way newer tornado calls deprecated.
pytestmark = pytest.mark.filterwarnings('ignore::DeprecationWarning:tornado')


@pytest.fixture(scope='module')
def client():
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None,
                      silence_logs=logging.ERROR) as cluster, Client(cluster) as connected:
        yield connected


def entry(rng, limit):
    """A point's coordinate in chart notation, now and then a blank, a slip or a typed form."""
    value = rng.uniform(-limit, limit)
    kind = rng.randrange(50)
    if kind == 0:
        return ['', ' ', 'x', '42 5.0', f'{value:.4f}°'][rng.randrange(5)]
    whole = int(abs(value))
    return f'{"-" if value < 0 else ""}{whole}{(abs(value) - whole) * 60:05.2f}'


@pytest.fixture(scope='module')
def legs(tmp_path_factory):
    """8 files of legs with reference points, and the same rows as one file for orvanto-cli."""
    folder = tmp_path_factory.mktemp('legs')
    rng = random.Random(8786)
    header = 'lat1,lon1,lat2,lon2,latr,lonr\n'
    parts = []
    for part in range(PARTITIONS):
        rows = [','.join(entry(rng, 80 if i % 2 == 0 else 180) for i in range(6))
                for _ in range(ROWS_EACH)]
        parts.append('\n'.join(rows) + '\n')
        (folder / f'part-{part}.csv').write_text(header + parts[-1])
    whole = tmp_path_factory.mktemp('whole') / 'legs.csv'
    whole.write_text(header + ''.join(parts))
    status, output, _ = cli_batch(whole)
    assert status in (0, 1)
    return folder, read_frame(io.BytesIO(output))


def run_example(folder, out):
    """The README's example: read a folder of CSV files, compute on the cluster, write."""
    ddf = dd.read_csv(str(folder / '*.csv'), dtype=str, keep_default_na=False)
    assert ddf.npartitions == PARTITIONS
    orvanto.dask.batch(ddf).to_csv(str(out / 'part-*.csv'), index=False)
    return pd.concat([read_frame(path) for path in sorted(out.glob('part-*.csv'))],
                     ignore_index=True)


def test_example_on_two_workers_equals_orvanto_cli(client, legs, tmp_path):
    folder, expected = legs
    pd.testing.assert_frame_equal(run_example(folder, tmp_path), expected)


def die_on_first_attempt(partition, marker):
    """Ends the worker's process during the first task to run (the marker file remembers it)."""
    if not os.path.exists(marker):
        open(marker, 'w').close()
        os._exit(1)
    return partition


def test_a_task_lost_with_its_worker_is_run_again(client, legs, tmp_path):
    folder, expected = legs
    ddf = dd.read_csv(str(folder / '*.csv'), dtype=str, keep_default_na=False)
    dying = ddf.map_partitions(die_on_first_attempt, str(tmp_path / 'died'), meta=ddf._meta)
    results = orvanto.dask.batch(dying).compute().reset_index(drop=True)
    assert (tmp_path / 'died').exists()
    pd.testing.assert_frame_equal(results, expected)


def test_header_is_checked_before_anything_runs():
    ddf = dd.from_pandas(pd.DataFrame({'lat1': ['0'], 'lon1': ['0']}), npartitions=1)
    with pytest.raises(ValueError, match='表头缺少 lat2、lon2 列'):
        orvanto.dask.batch(ddf)
    with pytest.raises(TypeError, match='ddf'):
        orvanto.dask.batch(ddf.compute())
