#pragma once

// GDAL's failures as text for the user instead of lines on standard error.
//
// GDAL reports errors through a process-wide handler stack that prints to standard error by
// default; the commands own standard error and write one message per failure, so while a
// GdalErrors is alive GDAL's messages are collected here instead. Instances nest (each pushes
// and pops its own handler); use them from the thread that talks to GDAL.

#include <string>

namespace mapsheet::gis {

// Registers GDAL's drivers once per process; safe to call from every entry point.
void registerGdalDrivers();

class GdalErrors {
  public:
    GdalErrors();
    ~GdalErrors();
    GdalErrors(const GdalErrors&) = delete;
    GdalErrors& operator=(const GdalErrors&) = delete;

    // The last failure GDAL reported since construction or clear(), else fallback.
    std::string lastFailure(const std::string& fallback) const;
    bool anyFailure() const { return !failure_.empty(); }
    void clear() { failure_.clear(); }

  private:
    static void collect(int errorClass, int number, const char* message);
    std::string failure_;
};

}  // namespace mapsheet::gis
