// mapsheet-cli sheet: round trips through both numberings at every scale, the typed forms people
// write, errors, and the JSON and GeoJSON outputs read back by GDAL's own parsers.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <cpl_json.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <charconv>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/scale_names.h"
#include "engine/sheet.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "gis/gdal_errors.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;

CommandRun runSheet(const Arguments& arguments, const std::string& input = "") {
    return test_support::runWithInput(runSheetCommand, arguments, input);
}

std::string shortest(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end);
}

std::string areaText(const engine::Sheet& sheet) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", engine::sheetArea(sheet));
    return text;
}

// The CSV row the command must write for a sheet: the number given, then the facts taken from
// the engine's own value of the sheet (bounds as the shortest text of its rounded doubles).
std::string expectedRow(const std::string& input, const engine::Sheet& sheet) {
    const engine::DegreeBounds b = engine::degreeBounds(sheet);
    return input + "," + engine::scaleRatioText(sheet.scale) + "," +
           std::string(engine::newNumber(sheet).view()) + "," +
           std::string(engine::oldNumber(sheet).view()) + "," + shortest(b.south) + "," +
           shortest(b.west) + "," + shortest(b.north) + "," + shortest(b.east) + ",," +
           std::to_string(engine::sheetToId(sheet)) + "," + areaText(sheet);
}

// The row without its last two fields, id and area_m2.
std::string withoutIdAndArea(const std::string& row) {
    const std::size_t areaComma = row.rfind(',');
    return row.substr(0, row.rfind(',', areaComma - 1));
}

TEST(SheetCommand, BothNumbersOfASheetGiveTheSameRowAtEveryScale) {
    // Points in both hemispheres, east and west, and in the 12- and 24-degree zones.
    const double points[][2] = {{39.979, 116.31}, {-30.5, 117.5},   {0.01, -0.01},
                                {-0.01, 179.99},  {61.3, -150.2},   {-70.9, 20.4},
                                {80.2, 100.7},    {-87.9, -179.99}, {23.45678, 113.98765}};
    std::string input;
    std::vector<std::string> expected{"input,scale,new,old,south,west,north,east,error,id,area_m2"};
    for (int scale = 0; scale < engine::kScaleCount; ++scale) {
        for (const auto& point : points) {
            const std::optional<engine::Sheet> sheet = engine::sheetOf(point[0], point[1], scale);
            ASSERT_TRUE(sheet);
            const engine::UnitBounds u = engine::unitBounds(*sheet);
            // Closed: a point on a parallel in the south lies on its sheet's northern edge.
            ASSERT_LE(u.south, point[0] * engine::kUnitsPerDegree);
            ASSERT_GE(u.north, point[0] * engine::kUnitsPerDegree);
            ASSERT_LE(u.west, point[1] * engine::kUnitsPerDegree);
            ASSERT_GT(u.east, point[1] * engine::kUnitsPerDegree);
            const std::string newNumber(engine::newNumber(*sheet).view());
            const std::string oldNumber(engine::oldNumber(*sheet).view());
            input += newNumber + "\n";
            expected.push_back(expectedRow(newNumber, *sheet));
            if (!oldNumber.empty()) {
                input += oldNumber + "\n";
                expected.push_back(expectedRow(oldNumber, *sheet));
            }
        }
    }
    const CommandRun run = runSheet({}, input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lines(run.out), expected);
}

TEST(SheetCommand, TypedFormsOfNumbers) {
    const struct {
        const char* typed;
        const char* row;
    } rows[] = {
        {"J-50-5-A-1", "J-50-5-A-1,1:25000,J50F001017,J-50-5-A-1,39.916666666667,116,40,116.125,"},
        {"J50F001019",
         "J50F001019,1:25000,J50F001019,J-50-5-B-1,39.916666666667,116.25,40,116.375,"},
        {"j50f001019",
         "j50f001019,1:25000,J50F001019,J-50-5-B-1,39.916666666667,116.25,40,116.375,"},
        {"J—50—5—(15)—a",
         "J—50—5—(15)—a,1:5000,J50H003077,J-50-5-(15)-a,39.9375,116.375,39.958333333333,"
         "116.40625,"},
        {"J-50-【4】", "J-50-【4】,1:250000,J50C001004,J-50-[4],39,118.5,40,120,"},
        {"Ｊ５０Ｃ００１００４",
         "Ｊ５０Ｃ００１００４,1:250000,J50C001004,J-50-[4],39,118.5,40,120,"},
        {" J - 50 - 5 - A - 1 ",
         " J - 50 - 5 - A - 1 ,1:25000,J50F001017,J-50-5-A-1,39.916666666667,116,40,116.125,"},
        {"J50R003004", "J50R003004,1:200000,J50R003004,J-50-(16),38,117,38.666666666667,118,"},
        {"SH50D001012",
         "SH50D001012,1:100000,SH50D001012,SH-50-12,-28.333333333333,119.5,-28,120,"},
        {"K50K17281345",
         "K50K17281345,1:500,K50K17281345,,41,117.5,41.001736111111,117.502604166667,"},
    };
    for (const auto& row : rows) {
        const CommandRun run = runSheet({row.typed});
        EXPECT_EQ(run.status, 0) << row.typed << ": " << run.out;
        const std::vector<std::string> out = lines(run.out);
        ASSERT_EQ(out.size(), 2u) << row.typed;
        EXPECT_EQ(withoutIdAndArea(out[1]), row.row);
    }
}

TEST(SheetCommand, NumbersThatCannotBeReadGiveRowsWithTheirErrors) {
    const CommandRun run = runSheet({}, "\xEF\xBB\xBFJ50\r\n\r\nX99\n  \nJ50E001015,x\nK-50-145\n");
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 5u) << run.out;
    EXPECT_EQ(withoutIdAndArea(out[1]), "J50,1:1000000,J50,J-50,36,114,40,120,");
    const struct {
        std::size_t line;
        const char* start;
        const char* piece;
    } errors[] = {
        {2, "X99,,,,,,,,", "row letter 'X'"},
        {3, "\"J50E001015,x\",,,,,,,,", "J50E001015,x"},
        {4, "K-50-145,,,,,,,,", "145"},
    };
    for (const auto& e : errors) {
        EXPECT_TRUE(out[e.line].starts_with(e.start)) << out[e.line];
        EXPECT_NE(out[e.line].find(e.piece), std::string::npos) << out[e.line];
    }
}

TEST(SheetCommand, JsonLinesCarryExactDmsAndTheCentre) {
    const CommandRun run = runSheet({"--format", "json", "J50F001019", "J50E001015", "nonsense"});
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 3u);
    CPLJSONDocument document;
    ASSERT_TRUE(document.LoadMemory(out[0])) << out[0];
    const CPLJSONObject first = document.GetRoot();
    EXPECT_EQ(first.GetString("new"), "J50F001019");
    EXPECT_EQ(first.GetString("old"), "J-50-5-B-1");
    EXPECT_EQ(first.GetString("south_dms"), "39°55′0″");
    EXPECT_EQ(first.GetString("east_dms"), "116°22′30″");
    EXPECT_DOUBLE_EQ(first.GetDouble("centre_latitude"), 39.958333333333);
    EXPECT_DOUBLE_EQ(first.GetDouble("centre_longitude"), 116.3125);
    EXPECT_EQ(first.GetObj("error").GetType(), CPLJSONObject::Type::Null);

    ASSERT_TRUE(document.LoadMemory(out[2])) << out[2];
    EXPECT_EQ(document.GetRoot().GetString("input"), "nonsense");
    EXPECT_EQ(document.GetRoot().GetObj("new").GetType(), CPLJSONObject::Type::Null);
    EXPECT_FALSE(document.GetRoot().GetString("error").empty());
}

// The id column read back as input gives the same row; the JSON members agree with the CSV; the
// areas of the four 1:50,000 sheets add up to their 1:100,000 sheet to the square millimetre.
TEST(SheetCommand, IdsReadBackAndAreasAddUp) {
    const CommandRun csv = runSheet({"J50D001005", "J50E001009", "J50E001010", "J50E002009",
                                     "J50E002010", "99", "1099511627776"});
    EXPECT_EQ(csv.status, 1);
    const std::vector<std::string> out = lines(csv.out);
    ASSERT_EQ(out.size(), 8u);
    const auto field = [](const std::string& row, int index) {
        std::size_t start = 0;
        for (int i = 0; i < index; ++i) {
            start = row.find(',', start) + 1;
        }
        return row.substr(start, row.find(',', start) - start);
    };
    double quarters = 0;
    for (int row = 2; row <= 5; ++row) {
        quarters += std::stod(field(out[row], 10));
    }
    EXPECT_NEAR(quarters, std::stod(field(out[1], 10)), 0.002);
    const std::string id = field(out[1], 9);
    const CommandRun byId = runSheet({}, id + "\n");
    ASSERT_EQ(lines(byId.out).size(), 2u);
    EXPECT_EQ(lines(byId.out)[1], id + out[1].substr(out[1].find(',')));
    for (const int row : {6, 7}) {
        EXPECT_NE(out[row].find("is no sheet id"), std::string::npos) << out[row];
        EXPECT_TRUE(out[row].ends_with(",,")) << out[row];
    }
    const CommandRun json = runSheet({"--format", "json", "J50D001005"});
    CPLJSONDocument document;
    ASSERT_TRUE(document.LoadMemory(lines(json.out)[0]));
    EXPECT_EQ(std::to_string(document.GetRoot().GetLong("id")), id);
    EXPECT_DOUBLE_EQ(document.GetRoot().GetDouble("area_m2"), std::stod(field(out[1], 10)));
}

TEST(SheetCommand, JsonEscapesWhatTheInputHeld) {
    const CommandRun run = runSheet({"--format", "json"}, "a\"b\\c\td\x01\xFF\n");
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].starts_with(R"({"input":"a\"b\\c\td\u0001)"
                                   "\xEF\xBF\xBD\""))
        << out[0];
}

TEST(SheetCommand, GeoJsonReadsBackAsPolygonsWithTheirProperties) {
    const CommandRun run = runSheet({"--format", "geojson", "J-50-5-A-1", "SH50D001012", "bad"});
    EXPECT_EQ(run.status, 1);
    gis::registerGdalDrivers();
    const std::string path = "/vsimem/sheet_command_test.geojson";
    VSIFCloseL(VSIFileFromMemBuffer(path.c_str(),
                                    reinterpret_cast<GByte*>(const_cast<char*>(run.out.data())),
                                    run.out.size(), FALSE));
    {
        GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dataset) << run.out;
        OGRLayer* layer = dataset->GetLayer(0);
        ASSERT_EQ(layer->GetFeatureCount(), 3);
        auto first = std::unique_ptr<OGRFeature>(layer->GetNextFeature());
        EXPECT_STREQ(first->GetFieldAsString("new"), "J50F001017");
        EXPECT_DOUBLE_EQ(first->GetFieldAsDouble("south"), 39.916666666667);
        OGREnvelope extent;
        first->GetGeometryRef()->getEnvelope(&extent);
        EXPECT_EQ(extent.MinX, 116);
        EXPECT_EQ(extent.MaxY, 40);
        auto second = std::unique_ptr<OGRFeature>(layer->GetNextFeature());
        EXPECT_STREQ(second->GetFieldAsString("old"), "SH-50-12");
        auto third = std::unique_ptr<OGRFeature>(layer->GetNextFeature());
        EXPECT_EQ(third->GetGeometryRef(), nullptr);
        EXPECT_STRNE(third->GetFieldAsString("error"), "");
    }
    VSIUnlink(path.c_str());
}

// Gives its text, then fails the way a broken pipe or a vanished file does.
class FailingInput : public std::streambuf {
  public:
    explicit FailingInput(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("Input/output error"); }

  private:
    std::string text_;
};

TEST(SheetCommand, ReadAndWriteFailuresHaveTheirOwnStatus) {
    FailingInput source("J50\nK-5");
    std::istream in(&source);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSheetCommand({}, in, out, err), 4);
    EXPECT_NE(err.str().find("cannot read the input"), std::string::npos) << err.str();

    std::istringstream none;
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    std::ostringstream brokenErr;
    EXPECT_EQ(runSheetCommand({"J50"}, none, broken, brokenErr), 3);
    EXPECT_NE(brokenErr.str().find("cannot write"), std::string::npos) << brokenErr.str();
}

TEST(SheetCommand, UsageErrors) {
    const struct {
        Arguments arguments;
        const char* message;
    } rows[] = {
        {{"--format", "xml", "J50"}, "unknown format 'xml'"},
        {{"--format"}, "--format needs a value"},
        {{"--scale", "E"}, "unknown option '--scale'"},
    };
    for (const auto& row : rows) {
        const CommandRun run = runSheet(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

#ifdef MAPSHEET_HAVE_PROJ
// sheet --corners: what each way of choosing the zone gives, and what it refuses.
struct CornersCase {
    const char* name;
    Arguments arguments;
    int status;
    const char* fragment;  // in the output (standard error for a usage error)
};

const std::vector<CornersCase> kCornersCases = {
    {"CsvColumnsAfterTheArea",
     {"--corners", "J50E001013"},
     0,
     "area_m2,zone,central_meridian,sw_x,sw_y,se_x,se_y,ne_x,ne_y,nw_x,nw_y\n"
     "J50E001013,"},
    {"WestEdgeOnTheMeridian", {"--corners", "J50E001013"}, 0, ",20,117,4411023.525,500000.000,"},
    {"JsonMember",
     {"--corners", "--format", "json", "J50G001049"},
     0,
     "\"corners\":{\"zone\":39,\"central_meridian\":117,\"sw\":["},
    {"MeridianOfNoZone",
     {"--corners", "--format=json", "--central-meridian", "120", "J50E001024"},
     0,
     "\"zone\":null,\"central_meridian\":120,"},
    {"ZoneThatMissesTheSheetIsAnErrorRow",
     {"--corners", "--zone", "19", "J50E001013"},
     1,
     "central meridian 111E"},
    {"UnreadableNumberHasEmptyCorners", {"--corners", "J5"}, 1, ",,,,,,,,,,\n"},
    {"ZoneThatIsNoNumber", {"--corners", "--zone", "x1", "J50"}, 2, "--zone 'x1'"},
    {"ZoneWithoutValue", {"--corners", "--zone"}, 2, "--zone needs a value"},
};

TEST(SheetCorners, ChooseTheZoneOrSayWhyNot) {
    for (const CornersCase& row : kCornersCases) {
        SCOPED_TRACE(row.name);
        const CommandRun run = runSheet(row.arguments);
        EXPECT_EQ(run.status, row.status) << run.err;
        const std::string& where = row.status == 2 ? run.err : run.out;
        EXPECT_NE(where.find(row.fragment), std::string::npos) << where;
    }
}
#endif

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL
