// Replaced by the fake game server.
