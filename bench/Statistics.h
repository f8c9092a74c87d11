#pragma once

#include <QString>

#include <vector>

// The summary figures every measuring program prints.
namespace Statistics {

double median(std::vector<double> values); // 0 for no values
QString fixed(double value, int decimals = 3); // fixed-point text, as the compare script reads it

} // namespace Statistics
