// Messages over the stage: loading, failures, the end.
const box = document.getElementById('status');
const text = document.getElementById('status-text');
const action = document.getElementById('status-action');

export function showStatus(message, actionLabel, onAction) {
  text.textContent = message;
  action.hidden = !actionLabel;
  action.textContent = actionLabel || '';
  action.onclick = onAction || null;
  box.hidden = false;
}

export function hideStatus() { box.hidden = true; }

export const reload = () => location.reload();
