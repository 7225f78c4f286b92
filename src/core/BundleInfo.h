// The application's name and identifier, which name its folders.
#pragma once

namespace BundleInfo {
inline constexpr char CFBundleName[] = "Tapedeck";
inline constexpr char CFBundleIdentifier[] = "org.tapedeck.Tapedeck";
} // namespace BundleInfo
