#pragma once

// For tests only: no program of ours calls this. It makes the system look
// as if its file system lacked a way of naming files, so the fallbacks
// that other file systems take (FAT and exFAT have no links, some network
// shares no refusing rename) run here too, and their guards are tested.

namespace ojn::newnames {

struct NamingWaysLacking {
    bool oneStepMove = false; // renameat2 / MoveFileEx report that they cannot
    bool links = false;       // link / CreateHardLink report that they cannot
};

// Until called again; both false, as a program starts.
void pretendFileSystemLacks(NamingWaysLacking lacking);

} // namespace ojn::newnames
