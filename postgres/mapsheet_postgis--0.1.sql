-- Sheets as PostGIS geometries in CGCS2000 (SRID 4490), the datum of the national series.
--
-- The bodies name the functions of mapsheet and PostGIS with their schemas, found when the
-- extension is created, so that they resolve the same way whatever the caller's search_path
-- (parallel workers, remote nodes, restores all run them with their own).

\echo Use "CREATE EXTENSION mapsheet_postgis" to load this file. \quit

DO $install$
DECLARE
    mapsheet_schema text := (SELECT quote_ident(n.nspname) FROM pg_extension e
                             JOIN pg_namespace n ON n.oid = e.extnamespace
                             WHERE e.extname = 'mapsheet');
    postgis_schema text := (SELECT quote_ident(n.nspname) FROM pg_extension e
                            JOIN pg_namespace n ON n.oid = e.extnamespace
                            WHERE e.extname = 'postgis');
BEGIN
    -- The sheet's four edges as a closed polygon, corners from the south-west anticlockwise.
    EXECUTE format($sql$
        CREATE FUNCTION @extschema@.mapsheet_envelope(number text) RETURNS %2$s.geometry
            LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
            RETURN (SELECT %2$s.ST_MakeEnvelope(s.west, s.south, s.east, s.north, 4490)
                    FROM %1$s.mapsheet_sheet(number) AS s)
        $sql$, mapsheet_schema, postgis_schema);

    -- Points in 4490 and in SRID 0 (taken as 4490 degrees) are read as they are; points in any
    -- other reference system are transformed to 4490 first. An empty point has no sheet; a Z or
    -- M value is ignored.
    EXECUTE format($sql$
        CREATE FUNCTION @extschema@.mapsheet_number(geom %2$s.geometry, scale text) RETURNS text
            LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE
            AS $body$
            DECLARE
                point %2$s.geometry := geom;
            BEGIN
                IF %2$s.ST_GeometryType(point) <> 'ST_Point' THEN
                    RAISE EXCEPTION 'mapsheet_number: geom is a %%, not a point',
                        %2$s.GeometryType(point)
                        USING ERRCODE = 'invalid_parameter_value';
                END IF;
                IF %2$s.ST_IsEmpty(point) THEN
                    RETURN NULL;
                END IF;
                IF %2$s.ST_SRID(point) NOT IN (0, 4490) THEN
                    point := %2$s.ST_Transform(point, 4490);
                END IF;
                RETURN %1$s.mapsheet_number(%2$s.ST_Y(point), %2$s.ST_X(point), scale);
            END
            $body$
        $sql$, mapsheet_schema, postgis_schema);
END
$install$;

COMMENT ON FUNCTION mapsheet_envelope(text) IS
    'the sheet of a written number of either numbering as a polygon in SRID 4490';
COMMENT ON FUNCTION mapsheet_number(geometry, text) IS
    'new-standard number of the sheet holding a point geometry; NULL when it has none';
