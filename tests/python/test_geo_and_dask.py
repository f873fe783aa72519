"""The GeoPandas frames read back by GDAL, and a real Dask cluster against the serial answer."""

import re
import subprocess

import numpy as np
import pytest

import mapsheet
from conftest import random_points

geopandas = pytest.importorskip("geopandas")
shapely_geometry = pytest.importorskip("shapely.geometry")
import mapsheet.geo  # noqa: E402  (needs GeoPandas, checked above)


def test_cover_frame_written_to_geopackage_reads_back_with_gdal(tmp_path):
    county = geopandas.GeoDataFrame(
        geometry=[shapely_geometry.Point(116.4, 39.9).buffer(0.3)], crs="EPSG:4490")
    frame = mapsheet.geo.cover_frame(county, "1:100000")
    path = tmp_path / "sheets.gpkg"
    frame.to_file(path, layer="sheets", driver="GPKG")
    info = subprocess.run(["ogrinfo", "-ro", "-al", str(path)], capture_output=True, text=True,
                          check=True).stdout
    assert 'ID["EPSG",4490]' in info
    assert f"Feature Count: {len(frame)}" in info
    read_back = {}
    for block in info.split("OGRFeature(sheets):")[1:]:
        number = re.search(r"new \(String\) = (\S+)", block).group(1)
        coordinates = np.array(re.findall(r"-?\d+(?:\.\d+)?", block.split("POLYGON")[1]), float)
        xs, ys = coordinates[0::2], coordinates[1::2]
        read_back[number] = (ys.min(), xs.min(), ys.max(), xs.max())
    assert sorted(read_back) == sorted(frame.new)
    for number, edges in read_back.items():
        assert edges == mapsheet.bounds(number), number


def test_number_points_reprojects_to_cgcs2000():
    points = geopandas.GeoDataFrame(
        {"name": ["Beijing", "outside"]},
        geometry=[shapely_geometry.Point(116.318, 39.979), shapely_geometry.Point(0, 89.5)],
        crs="EPSG:4490").to_crs("EPSG:3857")
    numbered = mapsheet.geo.number_points(points, "1:50000")
    assert numbered.new.tolist() == ["J50E001010", ""]
    assert numbered.old.tolist() == ["J-50-5-B", ""]


def test_sheets_frame_outlines_are_the_bounds():
    frame = mapsheet.geo.sheets_frame(["J50E001010", "J-50-5-A", "SH50D001012"])
    assert frame.crs.to_epsg() == 4490
    assert frame.new.tolist() == ["J50E001010", "J50E001009", "SH50D001012"]
    assert frame["scale"].tolist() == [50000, 50000, 100000]
    edges = mapsheet.bounds(frame.new.tolist())
    assert np.allclose(frame.total_bounds, [edges["west"].min(), edges["south"].min(),
                                            edges["east"].max(), edges["north"].max()], 0, 0)


def test_dask_cluster_of_two_processes_gives_the_serial_answer(rng):
    pandas = pytest.importorskip("pandas")
    dask_dataframe = pytest.importorskip("dask.dataframe")
    distributed = pytest.importorskip("distributed")
    import mapsheet.dask

    lat, lon = random_points(rng, 2_000_000)
    table = pandas.DataFrame({"lat": lat, "lon": lon})
    serial_new = mapsheet.number(lat, lon, "1:25000")
    serial_old = mapsheet.old_number(lat, lon, "1:25000")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        ddf = dask_dataframe.from_pandas(table, npartitions=16)
        result = mapsheet.dask.number(ddf, lat="lat", lon="lon", scale="1:25000").compute()
    assert result.new.tolist() == serial_new.tolist()
    assert result.old.tolist() == serial_old.tolist()
    assert (result.lat.to_numpy() == lat).all()
