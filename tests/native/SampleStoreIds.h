#pragma once

// Entries of the simulator's sample store that many tests name.
inline constexpr const char* kWin11 = "{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}";
inline constexpr const char* kWin10 = "{5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963}";
inline constexpr const char* kLegacy = "{466f5a88-0af2-4f76-9038-095b170dc21c}";
