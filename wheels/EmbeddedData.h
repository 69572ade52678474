#pragma once

// Data files of wheels/data compiled into the library (see data/embed.cmake).

namespace Wheels {

const char* embeddedReadyWheels(); // data/ready_wheels.txt
const char* embeddedRecords();     // data/records.tsv

} // namespace Wheels
