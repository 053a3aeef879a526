// ui subsystem
namespace kerna {}
