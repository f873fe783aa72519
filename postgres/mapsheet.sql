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

CREATE FUNCTION mapsheet_cover(south float8, west float8, north float8, east float8, scale text,
                               mode text)
    RETURNS SETOF text
    AS 'MODULE_PATHNAME', 'mapsheet_cover'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 100;
COMMENT ON FUNCTION mapsheet_cover(float8, float8, float8, float8, text, text) IS
    'the cover in a mode: meets (the interior meets the box), centre (the centre lies in it) or '
    'within (the whole sheet lies in it)';

CREATE FUNCTION mapsheet_cover(south float8, west float8, north float8, east float8,
                               denominator integer)
    RETURNS SETOF text
    AS 'MODULE_PATHNAME', 'mapsheet_cover_denominator'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 100;

CREATE FUNCTION mapsheet_cover(south float8, west float8, north float8, east float8,
                               denominator integer, mode text)
    RETURNS SETOF text
    AS 'MODULE_PATHNAME', 'mapsheet_cover_denominator'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 100;

-- Sheet ids (the layout of engine/sheet_id.h: stable, positive, sorted by scale first). The
-- forms that take and give only numbers carry no collation, so postgres_fdw ships them to the
-- servers that hold the rows; write the numbers from the grouped ids on the coordinator.

CREATE FUNCTION mapsheet_denominator(scale text) RETURNS integer
    AS 'MODULE_PATHNAME', 'mapsheet_denominator'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_denominator(text) IS
    'the denominator of a scale in any spelling: 50000 for 1:50000, 1:5万 or E';

CREATE FUNCTION mapsheet_id(lat float8, lon float8, scale text) RETURNS bigint
    AS 'MODULE_PATHNAME', 'mapsheet_id'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_id(float8, float8, text) IS
    'id of the sheet holding the point; NULL when it has none';

CREATE FUNCTION mapsheet_id(lat float8, lon float8, denominator integer) RETURNS bigint
    AS 'MODULE_PATHNAME', 'mapsheet_id_denominator'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_id(float8, float8, integer) IS
    'id of the sheet holding the point at the scale 1:denominator; NULL when it has none';

CREATE FUNCTION mapsheet_id(number text) RETURNS bigint
    AS 'MODULE_PATHNAME', 'mapsheet_id_of_number'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_id(text) IS 'id of the sheet of a number of either numbering';

CREATE FUNCTION mapsheet_number(id bigint) RETURNS text
    AS 'MODULE_PATHNAME', 'mapsheet_number_of_id'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_number(bigint) IS
    'new-standard number of the sheet of an id';

CREATE FUNCTION mapsheet_old_number(id bigint) RETURNS text
    AS 'MODULE_PATHNAME', 'mapsheet_old_number_of_id'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_old_number(bigint) IS
    'pre-1992 number of the sheet of an id; NULL for 1:2000 and finer';

CREATE FUNCTION mapsheet_area(id bigint) RETURNS float8
    AS 'MODULE_PATHNAME', 'mapsheet_area_of_id'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_area(bigint) IS
    'area of the sheet on the CGCS2000 ellipsoid in square metres';

CREATE FUNCTION mapsheet_area(number text) RETURNS float8
    AS 'SELECT mapsheet_area(mapsheet_id(number))'
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE;

-- The hierarchy on ids, and on written numbers through the ids.

CREATE FUNCTION mapsheet_parent(id bigint, denominator integer) RETURNS bigint
    AS 'MODULE_PATHNAME', 'mapsheet_parent_id'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5;
COMMENT ON FUNCTION mapsheet_parent(bigint, integer) IS
    'id of the sheet of the coarser scale that holds the sheet; an error when it does not nest '
    '(1:200000 with 1:250000)';

CREATE FUNCTION mapsheet_parent(number text, denominator integer) RETURNS text
    AS 'SELECT mapsheet_number(mapsheet_parent(mapsheet_id(number), denominator))'
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE;

CREATE FUNCTION mapsheet_parent(number text, scale text) RETURNS text
    AS 'SELECT mapsheet_parent(number, mapsheet_denominator(scale))'
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE;

CREATE FUNCTION mapsheet_neighbours(id bigint, rings integer) RETURNS SETOF bigint
    AS 'MODULE_PATHNAME', 'mapsheet_neighbour_ids'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 9;
COMMENT ON FUNCTION mapsheet_neighbours(bigint, integer) IS
    'ids of the sheets of the same scale within rings (1..1000) of the sheet, itself included, '
    'rows from the north, each row from the west';

CREATE FUNCTION mapsheet_neighbours(number text, rings integer)
    RETURNS TABLE (number text, ring integer)
    AS 'MODULE_PATHNAME', 'mapsheet_neighbour_numbers'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 9;
COMMENT ON FUNCTION mapsheet_neighbours(text, integer) IS
    'the sheets of the same scale within rings (1..1000) of the sheet by their new numbers, '
    'each with its ring (0 for the sheet itself, k for the sheets first met k sheets out), '
    'rows from the north, each row from the west';

CREATE FUNCTION mapsheet_children(id bigint, denominator integer) RETURNS SETOF bigint
    AS 'MODULE_PATHNAME', 'mapsheet_children_ids'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 5 ROWS 16;
COMMENT ON FUNCTION mapsheet_children(bigint, integer) IS
    'ids of the sheets of the finer scale inside the sheet from the north-west (for 1:200000 '
    'in 1:250000, the sheets that meet it)';

CREATE FUNCTION mapsheet_children(number text, denominator integer) RETURNS SETOF text
    AS 'SELECT mapsheet_number(id) FROM mapsheet_children(mapsheet_id(number), denominator) AS id'
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE ROWS 16;

CREATE FUNCTION mapsheet_children(number text, scale text) RETURNS SETOF text
    AS 'SELECT mapsheet_children(number, mapsheet_denominator(scale))'
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE ROWS 16;

CREATE FUNCTION mapsheet_compact(numbers text[]) RETURNS SETOF text
    AS 'MODULE_PATHNAME', 'mapsheet_compact'
    LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 50 ROWS 100;
COMMENT ON FUNCTION mapsheet_compact(text[]) IS
    'the numbers written with the coarsest whole sheets along 1:500 .. 1:1000000, in id order';
