"""orvanto.batch over a Dask DataFrame, on one machine or a cluster.

Dask spreads the partitions over its workers and retries a task whose worker was lost; each worker
needs the orvanto package installed.
"""

import orvanto

try:
    import dask.dataframe as dd
except ImportError as missing:
    raise ImportError('orvanto.dask 需要 Dask：apt install python3-dask python3-distributed') \
        from missing

__all__ = ['batch']


def batch(ddf, **options):
    """orvanto.batch mapped over the partitions of ``ddf``: a lazy DataFrame of the results.

    The options are orvanto.batch's. The options, the header and the dtypes of the columns read
    are checked at once, on ``ddf``'s empty meta frame, which also gives the result's columns.
    """
    if not isinstance(ddf, dd.DataFrame):
        raise TypeError(f'ddf 须是 dask.dataframe.DataFrame，收到的是 {type(ddf).__name__}')
    # The options, the header and the dtypes of the columns read are checked here, before any
    # compute; only the contents of object columns wait for it.
    meta = orvanto.batch(ddf._meta, **options)
    return ddf.map_partitions(orvanto.batch, meta=meta, **options)
