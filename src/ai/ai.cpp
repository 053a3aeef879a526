// ai subsystem
namespace kerna {}
