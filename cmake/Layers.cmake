# The folders of src/, from the bottom of the stack up. A folder may include its own headers and
# those of folders on a lower level; folders on one level do not include each other.
set(ORN_LAYERS
  "platform/framework"
  "platform/storage platform/chart platform/reportengine"
  "datamodel"
  "project"
  "grid"
  "views"
  "study"
  "export"
  "projectmanager report"
  "reportpages"
  "mainview"
  "shell"
  "app")
