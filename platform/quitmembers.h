// QuitMembers: which members of a host's classes are Quit. Quitting a host
// that has already ended asks it nothing, since it is done; every other call
// on such a host fails. The connection asks this before it calls, so the
// protocol's calls themselves know nothing of Quit.
#pragma once

#include <cstdint>
#include <set>
#include <string_view>
#include <utility>

namespace folivex::automation {

class QuitMembers {
public:
    // The member id under which Quit is known when it is first looked up
    // after the host has ended; no host gives it.
    static constexpr int32_t OfEndedHost = INT32_MIN;

    // Whether `lowerName` (lower-cased) names Quit.
    static bool isQuit(std::string_view lowerName);
    // Notes what the host resolved `lowerName` to for class `classId`.
    void resolved(uint32_t classId, std::string_view lowerName, int32_t dispid);
    // Whether member `dispid` of class `classId` is Quit.
    bool isQuit(uint32_t classId, int32_t dispid) const;

private:
    std::set<std::pair<uint32_t, int32_t>> ids_;
};

} // namespace folivex::automation
