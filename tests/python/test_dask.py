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

import orvanto.dask
from conftest import cli_batch, random_legs, read_frame

PARTITIONS, ROWS_EACH = 8, 25_000
# Debian's distributed starts its event loop in a way newer tornado calls deprecated.
pytestmark = pytest.mark.filterwarnings('ignore::DeprecationWarning:tornado')


@pytest.fixture(scope='module')
def client():
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None,
                      silence_logs=logging.ERROR) as cluster, Client(cluster) as connected:
        yield connected


@pytest.fixture(scope='module')
def legs(tmp_path_factory):
    """8 files of legs, and what orvanto-cli writes for the same rows as one file."""
    folder = tmp_path_factory.mktemp('legs')
    header, *rows = random_legs(random.Random(8786), PARTITIONS * ROWS_EACH).splitlines(True)
    for part in range(PARTITIONS):
        (folder / f'part-{part}.csv').write_text(
            header + ''.join(rows[part * ROWS_EACH:(part + 1) * ROWS_EACH]))
    whole = tmp_path_factory.mktemp('whole') / 'legs.csv'
    whole.write_text(header + ''.join(rows))
    status, output, _ = cli_batch(whole)
    assert status in (0, 1)
    return folder, read_frame(io.BytesIO(output)).fillna('')  # blank rows have no results


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


@pytest.mark.parametrize('frame, options, error, named', [
    (pd.DataFrame({'lat1': ['0'], 'lon1': ['0']}), {}, ValueError, '表头缺少 lat2、lon2 列'),
    # read with default dtypes: pandas makes a column of whole numbers int64
    (pd.DataFrame({'lat1': [4250], 'lon1': ['0'], 'lat2': ['0'], 'lon2': ['1']}), {}, TypeError,
     '“lat1” 列是 int64'),
    (pd.DataFrame({'lat1': ['0'], 'lon1': ['0'], 'lat2': ['0'], 'lon2': ['1']}),
     {'variation': 'west'}, ValueError, 'navigation'),
])
def test_header_dtypes_and_options_are_checked_before_anything_runs(frame, options, error, named):
    with pytest.raises(error, match=named):
        orvanto.dask.batch(dd.from_pandas(frame, npartitions=1), **options)
