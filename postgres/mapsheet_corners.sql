
CREATE TYPE mapsheet_corners AS (
    zone integer,
    central_meridian float8,
    sw_x float8,
    sw_y float8,
    se_x float8,
    se_y float8,
    ne_x float8,
    ne_y float8,
    nw_x float8,
    nw_y float8
);
COMMENT ON TYPE mapsheet_corners IS
    'the corners of a sheet in CGCS2000 Gauss-Kruger metres: x northing, y easting with 500 km '
    'false easting and no zone number';

CREATE FUNCTION mapsheet_corners(number text) RETURNS mapsheet_corners
    AS 'MODULE_PATHNAME', 'mapsheet_corners'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
COMMENT ON FUNCTION mapsheet_corners(text) IS
    'corners in the zone of the sheet''s centre: 6-degree for 1:25000 and coarser, else 3-degree';

CREATE FUNCTION mapsheet_corners(number text, zone integer) RETURNS mapsheet_corners
    AS 'MODULE_PATHNAME', 'mapsheet_corners'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 20;
COMMENT ON FUNCTION mapsheet_corners(text, integer) IS
    'corners in a zone number of the sheet''s zone width; an error when it does not reach the sheet';
