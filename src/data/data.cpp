// data subsystem
namespace kerna {}
