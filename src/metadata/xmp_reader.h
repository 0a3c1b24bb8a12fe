// Where XMP packets are found in the containers.
#pragma once

#include <string_view>

namespace velmora::metadata {

// The name in front of an XMP packet in a JPEG APP1 segment.
inline constexpr std::string_view kXmpApp1Signature{"http://ns.adobe.com/xap/1.0/\0", 29};
// The keyword of the PNG iTXt chunk and the TIFF tag that hold a packet.
inline constexpr std::string_view kXmpPngKeyword = "XML:com.adobe.xmp";
inline constexpr unsigned kXmpTiffTag = 700;

}  // namespace velmora::metadata
