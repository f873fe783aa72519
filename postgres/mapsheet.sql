-- Sheet numbers of the national basic-scale topographic map series.
--
-- Every function is a pure function of its arguments (IMMUTABLE), gives NULL for a NULL
-- argument (STRICT) and may run in parallel workers and on remote nodes (PARALLEL SAFE).
-- A malformed sheet number, an unknown scale or an illegal box raises SQLSTATE 22023
-- (invalid_parameter_value) with a message naming the wrong piece.

\echo Use "CREATE EXTENSION mapsheet" to load this file. \quit

CREATE TYPE mapsheet_sheet AS (
    scale text,
    new text,
    old text,
    south float8,
    west float8,
    north float8,
    east float8
);
COMMENT ON TYPE mapsheet_sheet IS
    'one sheet: scale as 1:50000, its new-standard and pre-1992 numbers, edges in degrees';

CREATE FUNCTION mapsheet_number(lat float8, lon float8, scale text) RETURNS text
    AS 'MODULE_PATHNAME', 'mapsheet_number'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_number(float8, float8, text) IS
    'new-standard number (K50E003005) of the sheet holding the point; NULL when it has none';

CREATE FUNCTION mapsheet_old_number(lat float8, lon float8, scale text) RETURNS text
    AS 'MODULE_PATHNAME', 'mapsheet_old_number'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_old_number(float8, float8, text) IS
    'pre-1992 number (J-50-5-A-1) of the sheet holding the point; NULL when it has none or the '
    'scale (1:2000 and finer) has no pre-1992 number';

CREATE FUNCTION mapsheet_sheet(number text) RETURNS mapsheet_sheet
    AS 'MODULE_PATHNAME', 'mapsheet_sheet'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_sheet(text) IS
    'the sheet of a written number of either numbering: scale, both numbers and its edges';

CREATE FUNCTION mapsheet_cover(south float8, west float8, north float8, east float8, scale text)
    RETURNS SETOF text
    AS 'MODULE_PATHNAME', 'mapsheet_cover'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 100;
COMMENT ON FUNCTION mapsheet_cover(float8, float8, float8, float8, text) IS
    'new-standard numbers of the sheets whose interior meets the box, rows from the north, '
    'each row from the west';
