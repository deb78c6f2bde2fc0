// Where the two frame buffers live. The window layer may install a FrameMemory that places them
// in memory the display server reads directly (so a frame reaches the screen without another
// copy); with none installed, or when it declines a request, they live on the heap.
//
// FrameAllocator is the allocator of FramePixels: every block it hands out comes from the
// installed FrameMemory or from the heap, and goes back to where it came from. A provider must
// stay installed and alive while blocks it made are in use; InstallFrameMemory moves the frame
// buffers of render() across, so replacing or removing a provider leaves none of its blocks
// behind in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace presentation {

class FrameMemory {
 public:
  virtual ~FrameMemory() = default;
  // `bytes` (more than 0) bytes aligned for any pixel type, or nullptr when it cannot give
  // them: the block then comes from the heap.
  virtual void* Allocate(std::size_t bytes) noexcept = 0;
  // Takes back a block it made (true); false for a block that is not one of its own.
  virtual bool Release(void* block, std::size_t bytes) noexcept = 0;
};

// The installed provider, nullptr for none.
FrameMemory* installedFrameMemory();
// Installs `memory` (nullptr: the heap). The frame buffers of render() keep their contents
// and move into memory of the new provider; should that memory not be there they are left
// empty. The caller keeps ownership.
void InstallFrameMemory(FrameMemory* memory);

// A block from the installed provider, else from the heap (std::bad_alloc when neither has it).
void* AllocateFrameBlock(std::size_t bytes);
void ReleaseFrameBlock(void* block, std::size_t bytes) noexcept;

template <class T>
struct FrameAllocator {
  using value_type = T;
  FrameAllocator() noexcept = default;
  template <class U>
  FrameAllocator(const FrameAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateFrameBlock(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { ReleaseFrameBlock(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const FrameAllocator<U>&) const noexcept {
    return true;
  }
};

using FramePixels = std::vector<uint32_t, FrameAllocator<uint32_t>>;

}  // namespace presentation
