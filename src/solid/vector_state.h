// The state of the processor's vector registers that the kernel's work depends on.
#pragma once

namespace toothwright {

// Marks the upper halves of the AVX registers unused, on processors that have them; does
// nothing elsewhere. The kernel's libraries are built for SSE, and while code that ran before
// on the same thread (the toolkit's drawing, on the window's thread) has left those halves in
// use, the processor merges them into the result of every SSE instruction: the kernel then
// took about half again to twice as long on that thread. Worker threads the kernel starts
// later begin with the state of the thread that starts them.
void ClearVectorUpperHalves();

}  // namespace toothwright
