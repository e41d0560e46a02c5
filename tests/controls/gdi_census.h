// How many GDI objects this process holds, for tests that look for leaks.
// The system's own counter (GetGuiResources) is a stub under Wine that
// always answers 0, so the census reads the process's GDI handle table, whose
// address the process environment block publishes: one entry per handle,
// with a non-zero type while the object lives. The layout is the one Wine
// and Windows share (an entry of three pointer-sized words).
#pragma once

namespace controls_test {

// Live GDI objects of this process (stock objects included), or -1 when the
// table cannot be found.
long liveGdiObjects();

}  // namespace controls_test
