// The request and reply layout between the automation client and an Office
// host. One host serves one client over a socket pair passed to it as file
// descriptor 3 (never on standard output or error, where LibreOffice writes).
//
// Every request starts with u32 seq, u8 Op. Requests that expect an answer get
// one reply frame: u32 seq, u8 Status, then the fields below. The host answers
// in the order of the requests. The first frame the host sends, unasked, is
// the greeting with seq 0.
//
//   greeting   Ok: i32 pid, value (the application object)   Fail: str text
//   Resolve    u32 object, str name         -> Ok: i32 dispid, u8 slow
//   Invoke     u32 object, i32 dispid, u32 flags, u32 argc, value*argc
//                                           -> Ok: value, u8 ending, u32 n,
//                                                  (u32 format, u32 picture)*n
//              `ending`: the host ends right after this reply (Quit).
//              The n pairs are what the call put on the clipboard, in order
//              (picture 0: the format listed without data).
//   Render     u32 picture, i32 width, i32 rows, u32 buffer bytes, u8 newBuffer,
//              i32 first row, i32 height: rows [first row, first row + rows)
//              of the picture stretched to width x height
//              (a new buffer's memfd travels as SCM_RIGHTS with the request)
//                                           -> Ok   (pixels: 32-bit BGRA,
//                                                    premultiplied, top row first)
//   Release        u32 object       (no reply)
//   ReleasePicture u32 picture      (no reply)
//   Fail replies carry str text: what went wrong, in words for the user.
//
// A value is u8 Tag then: Bool u8, Int32 i32, Double f64, String str,
// Object u32 id, u32 class (objects of one class share their member ids).
//
// Each message is a struct of messages.h, written and read there for both
// ends.
#pragma once

#include <cstdint>

namespace folivex::wire {

enum class Op : uint8_t { Resolve = 1, Invoke = 2, Render = 3, Release = 4, ReleasePicture = 5 };
enum class Status : uint8_t { Ok = 1, Fail = 2 };
enum class Tag : uint8_t { Empty = 0, Null = 1, Bool = 2, Int32 = 3, Double = 4, String = 5, Object = 6 };

// The kinds of call an Invoke's flags name, combined as Automation combines
// them: Method | PropertyGet reads a member that may be either.
enum InvokeFlags : unsigned { Method = 1, PropertyGet = 2, PropertyPut = 4 };

// The smallest frame lengths (what follows the length field): a reply holds
// at least its sequence number, a request also its Op.
constexpr uint32_t MinReplyLength = 4;
constexpr uint32_t MinRequestLength = 5;

// The file descriptor number on which the host finds its socket.
constexpr int HostSocketFd = 3;

} // namespace folivex::wire
