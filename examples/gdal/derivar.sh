#!/usr/bin/env bash
# Cuts the GeoTIFF of this folder (encosta-big-tujunga.tif) out of the 30 m
# SRTM of the Big Tujunga catchment kept in the shared data folder: columns
# 70 to 109 and rows 515 to 554 of its 1197 x 643 grid, the values and the
# georeference unchanged, compressed without loss. Needs gdal_translate
# (Debian package gdal-bin).
#   derivar.sh /caminho/para/srtm_bigtujunga30m_utm11.tif
set -euo pipefail
tif=${1:?informe o arquivo srtm_bigtujunga30m_utm11.tif}
here=$(cd "$(dirname "$0")" && pwd)
gdal_translate -q -srcwin 70 515 40 40 -co COMPRESS=DEFLATE "$tif" "$here/encosta-big-tujunga.tif"
