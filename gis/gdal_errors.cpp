#include "gis/gdal_errors.h"

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace mapsheet::gis {

void registerGdalDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

GdalErrors::GdalErrors() {
    CPLPushErrorHandlerEx(
        [](CPLErr errorClass, CPLErrorNum number, const char* message) {
            collect(static_cast<int>(errorClass), static_cast<int>(number), message);
        },
        this);
}

GdalErrors::~GdalErrors() {
    CPLPopErrorHandler();
}

void GdalErrors::collect(int errorClass, int, const char* message) {
    if (errorClass < CE_Failure || message == nullptr) {
        return;
    }
    auto* self = static_cast<GdalErrors*>(CPLGetErrorHandlerUserData());
    if (self != nullptr) {
        self->failure_ = message;
    }
}

std::string GdalErrors::lastFailure(const std::string& fallback) const {
    return failure_.empty() ? fallback : failure_;
}

}  // namespace mapsheet::gis
