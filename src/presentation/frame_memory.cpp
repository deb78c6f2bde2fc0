#include "presentation/frame_memory.h"

#include "presentation/render_state.h"

namespace presentation {
namespace {

FrameMemory*& provider() {
  static FrameMemory* p = nullptr;
  return p;
}

}  // namespace

FrameMemory* installedFrameMemory() { return provider(); }

void* AllocateFrameBlock(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  if (FrameMemory* m = provider())
    if (void* p = m->Allocate(bytes)) return p;
  return ::operator new(bytes);
}

void ReleaseFrameBlock(void* block, std::size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes == 0) bytes = 1;
  if (FrameMemory* m = provider(); m != nullptr && m->Release(block, bytes)) return;
  ::operator delete(block);
}

void InstallFrameMemory(FrameMemory* memory) {
  RenderState& r = render();
  if (provider() == memory) return;
  // The contents wait on the heap while the old blocks go back to the old provider.
  std::vector<uint32_t> frame, output;
  try {
    frame.assign(r.FrameBuffer.begin(), r.FrameBuffer.end());
    output.assign(r.OutputBuffer.begin(), r.OutputBuffer.end());
  } catch (const std::bad_alloc&) {
    frame.clear();
    output.clear();
  }
  r.FrameBuffer = FramePixels{};
  r.OutputBuffer = FramePixels{};
  provider() = memory;
  try {
    r.FrameBuffer.assign(frame.begin(), frame.end());
    r.OutputBuffer.assign(output.begin(), output.end());
  } catch (const std::bad_alloc&) {
    r.FrameBuffer = FramePixels{};
    r.OutputBuffer = FramePixels{};
  }
}

}  // namespace presentation
