// The files of a CE installation cabinet, unpacked into a folder and known by
// the numeric extension of their names in the cabinet ("0QUELW~1.001" is file
// 1), the only part of the name the format gives meaning to. Wine's own
// cabinet support (setupapi) reads the cabinet.
#ifndef QUELLOR_PHONE_WCELOAD_CABINET_READER_H
#define QUELLOR_PHONE_WCELOAD_CABINET_READER_H

#include <map>
#include <string>

namespace wceload {

// Larger cabinets are no phone's packages; unpacking stops there.
constexpr unsigned long kMaxCabinetBytes = 64ul << 20;

// Unpacks the cabinet at desktop path cabinet into folder: *files maps each
// file number to its unpacked copy. Names without a numeric extension are
// left out. False, *problem saying why, for a cabinet that cannot be read
// whole, holds a number twice, or unpacks to more than kMaxCabinetBytes.
bool UnpackCabinet(const std::wstring &cabinet, const std::wstring &folder,
                   std::map<int, std::wstring> *files, std::wstring *problem);

}  // namespace wceload

#endif
