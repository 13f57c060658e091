// A deviation card (自差表) read from a CSV or TSV (table_file.h) with the columns heading and
// deviation (or 航向 and 自差): headings read as courses (0 to 360, 360 being 000), deviations as
// variations (3.5W, -3.5, 2E). A card whose deviation changes by as much as the heading or more
// between two neighbouring rows is refused naming them: from a compass course its magnetic course
// would not be one.
#pragma once

#include <string>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "navigation/compass_error.h"
#include "text/expected.h"

namespace orvanto::passage {

// What is wrong, naming the line, for the user; InputOutputError when the input cannot be read.
Expected<navigation::DeviationCard, std::string> readDeviationCard(batch::CsvReader& reader,
                                                                   batch::TextCodec& codec);

}  // namespace orvanto::passage
