# The CSV export reads its time-zone table "date_time_zonespec.csv" beside the program. It is
# Boost.Date_Time's own data file as the Debian package ships it (gzip-compressed, among the
# package's documentation); scripts/install-deps.sh makes sure the file is installed.
execute_process(COMMAND dpkg-query -S date_time_zonespec.csv
                OUTPUT_VARIABLE zone_table_owners ERROR_QUIET RESULT_VARIABLE zone_table_missing)
string(REGEX MATCH "[^ \n]*/date_time_zonespec\\.csv(\\.gz)?" ORN_ZONE_TABLE_SOURCE "${zone_table_owners}")
if(zone_table_missing OR NOT ORN_ZONE_TABLE_SOURCE OR NOT EXISTS "${ORN_ZONE_TABLE_SOURCE}")
  message(FATAL_ERROR "Boost.Date_Time's date_time_zonespec.csv is not installed; run scripts/install-deps.sh")
endif()
set(ORN_ZONE_TABLE "${CMAKE_BINARY_DIR}/date_time_zonespec.csv")
if(ORN_ZONE_TABLE_SOURCE MATCHES "\\.gz$")
  execute_process(COMMAND gzip -dc "${ORN_ZONE_TABLE_SOURCE}" OUTPUT_FILE "${ORN_ZONE_TABLE}" RESULT_VARIABLE unpack_failed)
  if(unpack_failed)
    message(FATAL_ERROR "${ORN_ZONE_TABLE_SOURCE} cannot be unpacked")
  endif()
else()
  configure_file("${ORN_ZONE_TABLE_SOURCE}" "${ORN_ZONE_TABLE}" COPYONLY)
endif()

# Puts the table beside a program.
function(orn_place_zone_table target)
  add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ORN_ZONE_TABLE} $<TARGET_FILE_DIR:${target}>/date_time_zonespec.csv)
endfunction()
