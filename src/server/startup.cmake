# Start-up configuration, private folders and the background timers.
add_library(zorv_startup STATIC ServerConfig.cpp PrivFolders.cpp ReconnectSchedule.cpp
                                KeepAliveProbe.cpp ServerTimers.cpp)
target_link_libraries(zorv_startup PUBLIC zorv_common zorv_logs zorv_data)
