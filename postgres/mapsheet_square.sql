
-- Square sheets of the large scales, in a CGCS2000 Gauss-Kruger system (part of the extension
-- when the module is built with PROJ).
CREATE FUNCTION mapsheet_square(lat float8, lon float8, scale text, srid int) RETURNS text
    AS 'MODULE_PATHNAME', 'mapsheet_square'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 50;
COMMENT ON FUNCTION mapsheet_square(float8, float8, text, int) IS
    'square sheet number (3810.25-501.50) of the point at 1:5000..1:500 in the Gauss-Kruger '
    'system EPSG:4491..4554 named by srid, or 0 for the nearest 3-degree zone; NULL when the '
    'point lies beyond the width the zone serves';
