#pragma once

// Data files of wheels/data compiled into the library (see data/embed.cmake).

namespace Wheels {

const char* embeddedReadyWheels(); // data/ready_wheels.txt
const char* embeddedRecords();     // data/records.tsv
const char* embeddedRecordsK4K7(); // data/records_k4_k7.tsv

} // namespace Wheels
