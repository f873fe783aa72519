#include "projection/epsg_system.h"

#include <charconv>
#include <cmath>
#include <string>

#include "library/quoted_excerpt.h"
#include "projection/proj_handles.h"

namespace mapsheet::projection {

namespace {

constexpr std::string_view kCgcs2000Code = "4490";
constexpr std::string_view kTransverseMercatorCode = "9807";

// The EPSG codes of the Transverse Mercator parameters and the value each must have; the
// central meridian and the false easting are checked against the derived system.
constexpr std::string_view kLatitudeOfOrigin = "8801";
constexpr std::string_view kCentralMeridian = "8802";
constexpr std::string_view kScaleFactor = "8805";
constexpr std::string_view kFalseEasting = "8806";
constexpr std::string_view kFalseNorthing = "8807";

CheckedSystem failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

std::string textOr(const char* text, std::string_view fallback) {
    return text != nullptr ? std::string(text) : std::string(fallback);
}

// The code of "EPSG:4527", "epsg:4527" or "4527"; nullopt for anything else.
std::optional<int> epsgCode(std::string_view crs) {
    constexpr std::string_view kAuthority = "epsg:";
    if (crs.size() > kAuthority.size()) {
        bool authority = true;
        for (std::size_t i = 0; i < kAuthority.size(); ++i) {
            const char c = crs[i];
            authority = authority && (c == kAuthority[i] || c + ('a' - 'A') == kAuthority[i]);
        }
        if (authority) {
            crs.remove_prefix(kAuthority.size());
        }
    }
    int code = 0;
    const auto [end, error] = std::from_chars(crs.data(), crs.data() + crs.size(), code);
    if (error != std::errc() || end != crs.data() + crs.size() || code <= 0) {
        return std::nullopt;
    }
    return code;
}

// The value of a conversion parameter in the unit the database gives it (degrees, metres,
// unity for these CRSs); nullopt when the conversion lacks it.
std::optional<double> parameter(PJ_CONTEXT* context, PJ* conversion, std::string_view code) {
    const int count = proj_coordoperation_get_param_count(context, conversion);
    for (int i = 0; i < count; ++i) {
        const char* parameterCode = nullptr;
        double value = 0;
        if (proj_coordoperation_get_param(context, conversion, i, nullptr, nullptr, &parameterCode,
                                          &value, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr) &&
            parameterCode != nullptr && code == parameterCode) {
            return value;
        }
    }
    return std::nullopt;
}

// Empty when the database's parameters are those of the derived system, else what differs.
std::string parameterMismatch(PJ_CONTEXT* context, PJ* conversion,
                              const GaussKrugerSystem& system) {
    struct Expected {
        std::string_view code;
        std::string_view name;
        double value;
    };
    const Expected expected[] = {
        {kLatitudeOfOrigin, "latitude of origin", 0.0},
        {kCentralMeridian, "central meridian", system.centralMeridian},
        {kScaleFactor, "scale factor", 1.0},
        {kFalseEasting, "false easting", falseEasting(system)},
        {kFalseNorthing, "false northing", 0.0},
    };
    for (const Expected& want : expected) {
        const std::optional<double> value = parameter(context, conversion, want.code);
        if (!value || std::fabs(*value - want.value) > 1e-9) {
            return std::string(want.name) + " is " +
                   (value ? std::to_string(*value) : std::string("missing")) + " instead of " +
                   std::to_string(want.value);
        }
    }
    return {};
}

}  // namespace

CheckedSystem gaussKrugerSystemOfCrs(std::string_view crs) {
    const std::optional<int> code = epsgCode(crs);
    if (!code) {
        return failure(text::singleQuotedExcerpt(crs) +
                       " is not an EPSG code; write it as EPSG:4527 or 4527");
    }
    const std::string codeText = std::to_string(*code);
    const std::string label = "EPSG:" + codeText;
    const ContextHandle context = makeQuietContext();
    if (!context) {
        return failure("cannot start PROJ to look up " + label);
    }
    PJ_CONTEXT* ctx = context.get();
    const ObjectHandle object(
        proj_create_from_database(ctx, "EPSG", codeText.c_str(), PJ_CATEGORY_CRS, 0, nullptr));
    if (!object) {
        return failure(label + " is not a coordinate reference system in the PROJ database");
    }
    const std::string named = label + " (" + textOr(proj_get_name(object.get()), "unnamed") + ")";
    const std::string notGaussKruger =
        " is not a CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554";
    if (proj_get_type(object.get()) != PJ_TYPE_PROJECTED_CRS) {
        return failure(named + " is not a projected CRS and so" + notGaussKruger);
    }
    const ObjectHandle geodetic(proj_crs_get_geodetic_crs(ctx, object.get()));
    if (!geodetic || textOr(proj_get_id_code(geodetic.get(), 0), "") != kCgcs2000Code) {
        return failure(named + " is not based on CGCS2000 (EPSG:4490) and so" + notGaussKruger);
    }
    const ObjectHandle conversion(proj_crs_get_coordoperation(ctx, object.get()));
    const char* methodName = nullptr;
    const char* methodCode = nullptr;
    if (!conversion ||
        !proj_coordoperation_get_method_info(ctx, conversion.get(), &methodName, nullptr,
                                             &methodCode) ||
        textOr(methodCode, "") != kTransverseMercatorCode) {
        return failure(named + " uses " + textOr(methodName, "an unknown method") +
                       ", not Transverse Mercator, and so" + notGaussKruger);
    }
    const std::optional<GaussKrugerSystem> system = epsgGaussKrugerSystem(*code);
    if (!system) {
        return failure(named + notGaussKruger);
    }
    if (const std::string mismatch = parameterMismatch(ctx, conversion.get(), *system);
        !mismatch.empty()) {
        return failure("the PROJ database defines " + named + " with " + mismatch);
    }
    return {system, {}};
}

}  // namespace mapsheet::projection
