// board subsystem
namespace kerna {}
