#pragma once

namespace e2e {

/// Where the recorder appends each URL it is asked to open, one line each.
inline constexpr char kRecordFile[] = "C:\\recorder.txt";

}  // namespace e2e
