#pragma once

// The first layer (or a named one) of a vector file read as a CSV table, so that the table readers
// of the commands take GIS layers and spreadsheets as they take CSV text.
//
// Any format GDAL opens: GeoPackage, Shapefile, GeoJSON, FlatGeobuf, ..., and the workbooks
// .xlsx and .ods, whose first sheet is read with its first row as the header (every cell as
// the text it holds). The header record names the layer's fields in order; each feature
// gives one record of its fields as GDAL writes them as text, a null field empty; records end
// in "\n".
//
// With PointColumns::FromGeometry two columns "latitude" and "longitude" follow the fields:
// the feature's point transformed to CGCS2000 longitude/latitude (EPSG:4490) when the layer
// carries another CRS (a layer without a CRS is taken as longitude/latitude already),
// written with 17 significant digits, so the text reads back as the same double. A feature
// without a geometry, with an empty one, or one that cannot be transformed leaves both
// empty. Such a layer must be declared as points (Point or MultiPoint of one point).
//
// Errors, as text quoting the file (and the layer): GDAL cannot open it, it has no layer (none
// of the name asked for: the error lists the names it has), or
// FromGeometry on a layer whose geometry is not points. The features are read lazily, as the
// stream asks for them; the reader is used from one thread.

#include <istream>
#include <memory>
#include <string>

namespace mapsheet::gis {

enum class PointColumns { FromFields, FromGeometry };

class LayerCsv {
  public:
    // nullptr with error set when the file cannot be read as described above.
    // wanted: the layer (a workbook's sheet) to read by its name; empty for the first.
    static std::unique_ptr<LayerCsv> open(const std::string& path, PointColumns points,
                                          std::string& error, const std::string& wanted = {});
    ~LayerCsv();
    LayerCsv(const LayerCsv&) = delete;
    LayerCsv& operator=(const LayerCsv&) = delete;

    // The number of columns of the header record.
    std::size_t columnCount() const;
    // The table, header record first; valid as long as this reader.
    std::istream& stream();

  private:
    struct State;
    explicit LayerCsv(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace mapsheet::gis
